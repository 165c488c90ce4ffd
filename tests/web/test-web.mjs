// The web page in headless Chromium against the headless host. The page's
// start frame, every frame of a drag made with real mouse events and the
// frame after it must equal, pixel for pixel, what kelvane-render writes for
// the same input, and so must the frames that focus leaving and coming back
// draw; Escape must end the program with the page's notice, and "Start
// again" must bring back the start frame. P's painter's replay must show,
// while it runs (the program yields to the browser between polygons), the
// headless host's frame for as many polygons, and end on the plain frame;
// T and H must show the headless host's panels. Where the program reads
// scene files, an example opened in the page (from its list, its file input
// or dropped onto it) must show what the headless host shows for it, and a
// file the readers refuse must show the message the desktop prints while
// the page goes back to the scene it showed. Load time and the cost of a
// drag frame are reported, never asserted.
//
//   node test-web.mjs WEB_BUILD KELVANE_RENDER OUT_DIR [BENCH_DISPLAY]
//
// The browser is the system's (CHROMIUM, default /usr/bin/chromium); nothing
// here downloads one. BENCH_DISPLAY, when given, is the display benchmark
// program whose drag frame is reported beside the page's.
import {execFileSync, spawnSync} from "node:child_process";
import {createReadStream, existsSync, mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync,
        writeFileSync} from "node:fs";
import {createServer} from "node:http";
import {tmpdir} from "node:os";
import {basename, extname, join, resolve} from "node:path";
import puppeteer from "puppeteer-core";
import {readIndexedPng} from "./indexed_png.mjs";

const kWidth = 640;
const kHeight = 480;
// The drag of the README's picture: from left of the centre up to the right.
const kDrag = {x0: 300, y0: 260, x1: 450, y1: 170, moves: 12};
const kWaitMs = 20000;
const kMaxWasmBytes = 400 * 1024;
// A file the .csg reader refuses, at a place it names.
const kBadScene = {name: "bad-scene.csg", text: "difference() {\n  cube(10);\n  sphere(r=);\n}\n"};
const kChromiumFlags = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                        "--disable-background-networking", "--disable-component-update", "--disable-sync"];

const [webBuild, render, outDir, benchDisplay] = process.argv.slice(2);
if (!webBuild || !render || !outDir) {
  console.error("usage: node test-web.mjs WEB_BUILD KELVANE_RENDER OUT_DIR [BENCH_DISPLAY]");
  process.exit(2);
}
const failures = [];
const figures = [];

function fail(message) {
  failures.push(message);
  console.error(`test-web: FAIL ${message}`);
}

// The headless host's frames for the same input, frame-0001.png onwards.
function headlessFrames() {
  const dir = join(outDir, "headless");
  rmSync(dir, {recursive: true, force: true});
  execFileSync(render, ["--out", dir, "--drag", `${kDrag.x0},${kDrag.y0}:${kDrag.x1},${kDrag.y1}:${kDrag.moves}`,
                        "--deactivate", "--activate"],
               {stdio: ["ignore", "ignore", "inherit"]});
  return number => join(dir, `frame-${String(number).padStart(4, "0")}.png`);
}

// std::lround, which the renderer's drag uses: halves away from zero.
function lround(value) { return Math.sign(value) * Math.round(Math.abs(value)); }

function dragPoints() {
  const points = [];
  for (let k = 1; k <= kDrag.moves; ++k) {
    points.push([kDrag.x0 + lround((kDrag.x1 - kDrag.x0) * k / kDrag.moves),
                 kDrag.y0 + lround((kDrag.y1 - kDrag.y0) * k / kDrag.moves)]);
  }
  return points;
}

const kTypes = {".html": "text/html", ".js": "text/javascript", ".css": "text/css", ".wasm": "application/wasm",
                ".json": "application/json"};

function serve(root) {
  const server = createServer((request, response) => {
    const path = decodeURIComponent(new URL(request.url, "http://x").pathname);
    const file = resolve(root, "." + (path.endsWith("/") ? path + "index.html" : path));
    if (!file.startsWith(resolve(root)) || !existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, {"Content-Type": kTypes[extname(file)] || "application/octet-stream"});
    createReadStream(file).pipe(response);
  });
  return new Promise(done => server.listen(0, "127.0.0.1", () => done(server)));
}

// Runs in the page: the canvas as base64 RGBA bytes and as a PNG data URL.
function readCanvas() {
  const canvas = document.getElementById("screen");
  const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
  let text = "";
  for (let i = 0; i < data.length; i += 0x8000) text += String.fromCharCode(...data.subarray(i, i + 0x8000));
  return {rgba: btoa(text), url: canvas.toDataURL("image/png")};
}

// A frame that differs is kept beside the headless one, to be looked at.
function keepCanvas(url, png) {
  const kept = join(outDir, "page-" + basename(png));
  writeFileSync(kept, Buffer.from(url.slice(url.indexOf(",") + 1), "base64"));
  return kept;
}

// `shown` is a frame readCanvas took earlier; without it, the canvas now.
async function compareWithHeadless(page, png, what, shown = null) {
  const canvas = shown || await page.evaluate(readCanvas);
  const rgba = Buffer.from(canvas.rgba, "base64");
  const reference = readIndexedPng(png);
  if (reference.width !== kWidth || reference.height !== kHeight || rgba.length !== kWidth * kHeight * 4) {
    fail(`${what}: sizes differ (canvas ${rgba.length / 4} pixels, headless ${reference.width} x ${reference.height})`);
    return;
  }
  let differing = 0, first = -1;
  for (let i = 0; i < kWidth * kHeight; ++i) {
    const same = rgba[i * 4] === reference.rgb[i * 3] && rgba[i * 4 + 1] === reference.rgb[i * 3 + 1] &&
                 rgba[i * 4 + 2] === reference.rgb[i * 3 + 2];
    if (!same && differing++ === 0) first = i;
  }
  if (differing) {
    const x = first % kWidth, y = Math.floor(first / kWidth);
    fail(`${what}: ${differing} pixels differ from the headless host's frame; the first at (${x}, ${y}): ` +
         `page ${[...rgba.subarray(first * 4, first * 4 + 3)]}, headless ${[...reference.rgb.subarray(first * 3, first * 3 + 3)]}` +
         ` (${keepCanvas(canvas.url, png)} against ${png})`);
  }
}

// Resolves once the program has shown a frame after `before` frames and
// waits for input again.
function nextFrame(page, before, what) {
  return page.waitForFunction(n => window.kelvane.frames() > n && window.kelvane.waiting(),
                              {timeout: kWaitMs}, before)
      .catch(() => { throw new Error(`${what}: no frame within ${kWaitMs / 1000} s`); });
}

const frames = page => page.evaluate(() => window.kelvane.frames());

// Every step of the headless host's input in turn, each followed by the
// frame it draws; returns the number of the last frame.
async function stepThroughInput(page, png, costs, canvasCosts) {
  const rect = await page.evaluate(() => {
    const r = document.getElementById("screen").getBoundingClientRect();
    return {left: r.left, top: r.top, scale: r.width / 640};
  });
  // Whole CSS pixels at the frame pixel's corner: the page maps them back
  // without rounding.
  const at = (x, y) => [Math.round(rect.left) + x * rect.scale, Math.round(rect.top) + y * rect.scale];
  let frame = 1;
  // Without the button a move draws nothing; it only puts the pointer there.
  await page.mouse.move(...at(kDrag.x0, kDrag.y0));
  await page.waitForFunction(() => window.kelvane.waiting(), {timeout: kWaitMs});
  const step = async (action, what) => {
    const before = await frames(page);
    await action();
    await nextFrame(page, before, what);
    ++frame;
    await compareWithHeadless(page, png(frame), `${what} (frame ${frame})`);
  };
  await step(() => page.mouse.down(), "the press");
  for (const [k, [x, y]] of dragPoints().entries()) {
    await step(() => page.mouse.move(...at(x, y)), `drag move ${k + 1} to (${x}, ${y})`);
    costs.push(await page.evaluate(() => window.kelvane.module.kelvaneFrameCost));
    canvasCosts.push(await page.evaluate(() => window.kelvane.module.kelvaneCanvasCost));
  }
  await step(() => page.mouse.up(), "the release");
  // Focus leaving the canvas and coming back is the window's deactivation
  // and activation. Deactivated, the program has lost its surfaces and
  // draws nothing; the headless host shows the same. Focus events arrive at
  // once, so the program is known to be busy until it waits again.
  const before = await frames(page);
  await page.evaluate(() => document.getElementById("screen").blur());
  await page.waitForFunction(() => window.kelvane.waiting(), {timeout: kWaitMs});
  if (await frames(page) !== before) fail("focus leaving the canvas drew a frame; the headless host draws none");
  await step(() => page.evaluate(() => document.getElementById("screen").focus()), "focus coming back");
  return frame;
}

// The headless host's frames for P (the painter's replay to its end), then
// T (the tree panel) and H (the help panel): frame-0001.png onwards.
function headlessPainterFrames() {
  const dir = join(outDir, "headless-painter");
  rmSync(dir, {recursive: true, force: true});
  execFileSync(render, ["--out", dir, "--painter", "--tree", "--key", "H"], {stdio: ["ignore", "ignore", "inherit"]});
  return readdirSync(dir).filter(name => /^frame-\d+\.png$/.test(name)).sort().map(name => join(dir, name));
}

// Runs in the page: the frame the program holds in its timed wait between
// two polygons of the replay, read in one go so that the next cannot come
// between the count and the pixels; null while it is not holding one.
function heldReplayFrame(pressedAt, readCanvas) {
  const k = window.kelvane;
  if (!k.pacing() || k.frames() <= pressedAt) return null;
  return {polygons: k.frames() - pressedAt, ...readCanvas()};
}

// From the start frame: P replays the painter's order polygon by polygon,
// yielding to the browser between them, so that a frame of the replay can
// be read while it runs; it must equal the headless host's frame for as
// many polygons and differ from the end, and the replay must draw as many
// frames as the headless one and end on its plain frame. T and H then must
// show the headless host's panels.
async function painterAndPanels(page) {
  const png = headlessPainterFrames();
  const [panels, plain] = [png.slice(-2), png[png.length - 3]];
  const replayFrames = png.length - 3;  // after the start frame, before the panels
  const before = await frames(page);
  await page.keyboard.press("p");
  const held = await page.waitForFunction(`(${heldReplayFrame})(${before}, ${readCanvas})`, {timeout: kWaitMs})
      .then(handle => handle.jsonValue(), () => null);
  if (!held) {
    fail("P: no frame of the painter's replay was shown while it ran (the program did not yield to the browser)");
  } else if (held.polygons >= replayFrames) {
    fail(`P: the program held its last frame (${held.polygons} of ${replayFrames}) as if the replay went on`);
  } else {
    await compareWithHeadless(page, png[held.polygons], `P: the replay after ${held.polygons} polygons`, held);
    console.log(`test-web: P: the replay read while it ran, after ${held.polygons} of ${replayFrames - 1} polygons`);
  }
  await page.waitForFunction(n => window.kelvane.frames() >= n && window.kelvane.waiting(), {timeout: kWaitMs},
                             before + replayFrames)
      .catch(() => { throw new Error(`P: the replay did not end within ${kWaitMs / 1000} s`); });
  const drawn = await frames(page) - before;
  if (drawn !== replayFrames) fail(`P: the page's replay drew ${drawn} frames, the headless host's ${replayFrames}`);
  const end = await page.evaluate(readCanvas);
  await compareWithHeadless(page, plain, "P: the end of the replay", end);
  if (held && held.rgba === end.rgba) fail(`P: the frame after ${held.polygons} polygons is already the end`);
  for (const [key, reference, what] of [["t", panels[0], "T: the tree panel"], ["h", panels[1], "H: the help panel"]]) {
    const shown = await frames(page);
    await page.keyboard.press(key);
    await nextFrame(page, shown, what);
    await compareWithHeadless(page, reference, what);
  }
}

// The headless host's first frame for a scene file.
function sceneFrame(file) {
  const dir = join(outDir, "scene-" + basename(file));
  rmSync(dir, {recursive: true, force: true});
  execFileSync(render, ["--scene", file, "--out", dir], {stdio: ["ignore", "ignore", "inherit"]});
  return join(dir, "frame-0001.png");
}

// What the program prints on the desktop (kelvane-render runs its WinMain)
// for a file the readers refuse, run from the file's folder as in the page.
function desktopRefusal(scene) {
  const dir = join(outDir, "refused");
  rmSync(dir, {recursive: true, force: true});
  mkdirSync(dir, {recursive: true});
  writeFileSync(join(dir, scene.name), scene.text);
  const run = spawnSync(resolve(render), ["--scene", scene.name, "--out", "frames"], {cwd: dir, encoding: "utf8"});
  if (run.status === 0) throw new Error(`kelvane-render accepted ${scene.name}, which the test means to be refused`);
  return run.stderr.trim();
}

// A file dropped onto the canvas as a browser hands it over: dragenter,
// dragover and drop events carrying it in their DataTransfer.
function dropFile(page, name, bytes) {
  return page.evaluate((name, base64) => {
    const data = new DataTransfer();
    data.items.add(new File([Uint8Array.from(atob(base64), c => c.charCodeAt(0))], name));
    const canvas = document.getElementById("screen");
    for (const type of ["dragenter", "dragover", "drop"]) {
      canvas.dispatchEvent(new DragEvent(type, {bubbles: true, cancelable: true, dataTransfer: data}));
    }
  }, name, Buffer.from(bytes).toString("base64"));
}

// Resolves once the page has started the program `runs` times in all and
// the last start has drawn its first frame and waits for input.
async function started(page, runs, what) {
  await page.waitForFunction(n => window.kelvane.runs >= n && window.kelvane.frames() >= 1 && window.kelvane.waiting(),
                             {timeout: kWaitMs}, runs)
      .catch(() => { throw new Error(`${what}: the program did not start within ${kWaitMs / 1000} s`); });
}

// Where the program reads scene files: the first example, clicked in the
// page's list and then chosen with its file input, and the second dropped
// onto the page, must each show the headless host's first frame for that
// file; a file the reader refuses, dropped, must show the desktop's message
// and bring back the scene shown before, still answering input.
async function openScenes(page) {
  const listing = JSON.parse(readFileSync(join(webBuild, "examples", "index.json"), "utf8"));
  if (!listing.opensFiles || listing.examples.length < 2) {
    console.log("test-web: scene files not checked: this build of the program does not read them");
    return;
  }
  const [listed, dropped] = listing.examples.map(name => join(webBuild, "examples", name));
  const listedFrame = sceneFrame(listed);
  const runs = () => page.evaluate(() => window.kelvane.runs);
  const opened = async (how, png, what, starts = 1) => {
    const before = await runs();
    await how();
    await started(page, before + starts, what);
    await compareWithHeadless(page, png, what);
  };
  await opened(() => page.evaluate(name => {
    for (const button of document.querySelectorAll("#examples button")) if (button.textContent === name) button.click();
  }, basename(listed)), listedFrame, `${basename(listed)} from the list of examples`);
  const input = await page.$("#scene-file");
  await opened(() => input.uploadFile(listed), listedFrame, `${basename(listed)} chosen with the file input`);

  // Refused: one start that ends before its first frame, one of the scene before.
  await opened(() => dropFile(page, kBadScene.name, kBadScene.text), listedFrame,
               `${basename(listed)} again after ${kBadScene.name} was refused`, 2);
  const expected = desktopRefusal(kBadScene);
  const shown = await page.evaluate(() => ({
    refusal: window.kelvane.refusal,
    visible: !document.getElementById("scene-error").hidden && document.getElementById("scene-error").innerText,
    ended: window.kelvane.ended,
  }));
  if (shown.refusal !== expected || shown.visible !== expected) {
    fail(`${kBadScene.name} dropped: the page says "${shown.visible || shown.refusal}"; the desktop says "${expected}"`);
  }
  if (shown.ended) fail(`${kBadScene.name} dropped: the page shows the end notice instead of the scene before`);
  await page.screenshot({path: join(outDir, "page-refused.png")});
  const before = await frames(page);
  await page.keyboard.press("w");  // outlines: a key that draws a frame
  await nextFrame(page, before, `a key after ${kBadScene.name} was refused`);

  await opened(() => dropFile(page, basename(dropped), readFileSync(dropped)), sceneFrame(dropped),
               `${basename(dropped)} dropped onto the page`);
  const cleared = await page.evaluate(() => document.getElementById("scene-error").hidden);
  if (!cleared) fail(`the refusal of ${kBadScene.name} is still shown after ${basename(dropped)} opened`);
}

// From the page's start of the program (a fresh instance) to its first frame.
function programStartMs(page, run) {
  return page.evaluate(n => performance.getEntriesByName(`kelvane-first-frame-${n}`)[0].startTime -
                            performance.getEntriesByName(`kelvane-start-${n}`)[0].startTime, run);
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

// The headless host's drag frame from the display benchmark: its median.
function headlessDragFrameMs() {
  if (!benchDisplay || !existsSync(benchDisplay)) return null;
  const json = execFileSync(benchDisplay, ["--benchmark_filter=BM_DragFrame$", "--benchmark_repetitions=5",
                                           "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
                            {encoding: "utf8", stdio: ["ignore", "pipe", "ignore"]});
  const run = JSON.parse(json).benchmarks.find(b => b.aggregate_name === "median");
  const toMs = {ns: 1e-6, us: 1e-3, ms: 1, s: 1e3}[run.time_unit];
  return run.real_time * toMs;
}

async function main() {
  mkdirSync(outDir, {recursive: true});
  const wasmBytes = statSync(join(webBuild, "kelvane.wasm")).size;
  if (wasmBytes >= kMaxWasmBytes) fail(`kelvane.wasm has ${wasmBytes} bytes; it must stay under ${kMaxWasmBytes}`);
  console.log(`test-web: kelvane.wasm: ${(wasmBytes / 1024).toFixed(1)} KB`);
  const png = headlessFrames();
  const server = await serve(webBuild);
  const profile = mkdtempSync(join(tmpdir(), "kelvane-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    args: [...kChromiumFlags, `--user-data-dir=${profile}`],
    defaultViewport: {width: 1000, height: 760},
  });
  try {
    const page = await browser.newPage();
    page.on("pageerror", error => fail(`the page threw: ${error.message}`));
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    await page.waitForFunction(() => window.kelvane && window.kelvane.frames() >= 1 && window.kelvane.waiting(),
                               {timeout: kWaitMs});
    figures.push(["page load to first frame", await page.evaluate(() => window.kelvane.firstFrameMs)]);
    figures.push(["  of which program start to first frame", await programStartMs(page, 1)]);
    await compareWithHeadless(page, png(1), "the start frame");
    await page.screenshot({path: join(outDir, "page.png")});

    const costs = [], canvasCosts = [];
    const last = await stepThroughInput(page, png, costs, canvasCosts);
    figures.push([`drag frame in the page, input to canvas (median of ${costs.length})`, median(costs)]);
    figures.push(["  of which putImageData", median(canvasCosts)]);
    if (existsSync(png(last + 1))) fail(`the headless host drew frames after ${last}; the page stopped there`);
    await page.screenshot({path: join(outDir, "page-after-drag.png")});

    await page.keyboard.press("Escape");
    await page.waitForFunction(() => window.kelvane.ended, {timeout: kWaitMs})
        .catch(() => fail("Escape did not end the program"));
    const notice = await page.evaluate(() => {
      const box = document.getElementById("ended");
      return box.hidden ? "" : box.innerText;
    });
    if (!/ended/.test(notice) || !/Start again/.test(notice)) fail(`no end notice after Escape (shown: "${notice}")`);
    await page.screenshot({path: join(outDir, "page-ended.png")});

    await page.click("#restart");
    await page.waitForFunction(() => !window.kelvane.ended && window.kelvane.frames() >= 1 && window.kelvane.waiting(),
                               {timeout: kWaitMs});
    await compareWithHeadless(page, png(1), "the start frame after starting again");
    figures.push(["start again to first frame", await programStartMs(page, 2)]);
    await painterAndPanels(page);
    await openScenes(page);
  } finally {
    await browser.close();
    server.close();
    rmSync(profile, {recursive: true, force: true});
  }
  const headlessDrag = headlessDragFrameMs();
  if (headlessDrag !== null) figures.push(["drag frame on the headless host (BM_DragFrame median)", headlessDrag]);
  for (const [what, ms] of figures) console.log(`test-web: ${what}: ${ms.toFixed(2)} ms`);
}

main().then(() => {
  if (failures.length) {
    console.error(`test-web: ${failures.length} check(s) failed`);
    process.exit(1);
  }
  console.log("test-web: the page's frames equal the headless host's; Escape ends it and it starts again");
}, error => {
  console.error(`test-web: ${error.message}`);
  process.exit(1);
});
