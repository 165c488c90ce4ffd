// The page around the program: fits the canvas to the window by whole
// numbers, starts the program (a fresh instance each time), says when it has
// ended and offers to start again, and hands it a scene file chosen from the
// examples, picked with the file input or dropped onto the page. A file the
// program refuses ends it before its first frame: the page shows the
// reader's message and goes back to the scene it showed before.
//
// window.kelvane is what the page's tests read: the running instance, its
// frame count, whether it waits for input or holds a frame of a timed
// sequence (the painter's replay), how long the first frame took and
// the message of the last file refused.
"use strict";

(() => {
  const kFrameWidth = 640;
  const kFrameHeight = 480;
  const kSceneFolder = "/scenes";

  const canvas = document.getElementById("screen");
  const endedNotice = document.getElementById("ended");
  const status = document.getElementById("status");
  const sceneError = document.getElementById("scene-error");
  const state = {
    module: null,
    runs: 0,
    ended: false,
    endStatus: null,
    firstFrameMs: null,
    scene: null,
    shown: null,
    refusal: "",
    frames() { return this.module ? this.module.kelvaneFrames || 0 : 0; },
    waiting() { return !!(this.module && this.module.kelvaneWake && !this.module.kelvanePacing); },
    pacing() { return !!(this.module && this.module.kelvanePacing); },
  };
  window.kelvane = state;

  function fitCanvas() {
    const room = document.getElementById("hint").offsetHeight + 24;
    const scale = Math.max(1, Math.floor(Math.min(window.innerWidth / kFrameWidth,
                                                  (window.innerHeight - room) / kFrameHeight)));
    canvas.style.width = kFrameWidth * scale + "px";
    canvas.style.height = kFrameHeight * scale + "px";
  }

  function ended(code) {
    state.ended = true;
    state.endStatus = code;
    canvas.classList.add("ended");
    endedNotice.hidden = false;
    document.getElementById("restart").focus();
  }

  function showRefusal(text) {
    state.refusal = text;
    sceneError.textContent = text;
    sceneError.hidden = !text;
  }

  // A scene is {name, bytes}; null is the built-in scene. A program still
  // running is closed first, so that only one draws on the canvas. The file
  // goes into the program's working folder and is named without a folder,
  // so that the reader's messages read as they do on the desktop.
  async function start(scene, refusal = "") {
    const running = state.module;
    if (running && !state.ended && running._kelvaneWebClose) running._kelvaneWebClose();
    state.ended = false;
    state.endStatus = null;
    state.scene = scene;
    canvas.classList.remove("ended");
    endedNotice.hidden = true;
    status.textContent = scene ? "Scene: " + scene.name : "";
    showRefusal(refusal);
    canvas.focus();
    const run = ++state.runs;
    performance.mark("kelvane-start-" + run);
    const args = [];
    const errors = [];
    const options = {
      canvas,
      arguments: args,
      printErr: text => {
        console.warn(text);
        errors.push(text);
        status.textContent = text;
      },
      preRun: [module => {
        if (!scene) return;
        // A plain file name to the command line: no folder, no option, not "." or "..".
        const name = scene.name.replace(/[^A-Za-z0-9._-]/g, "_").replace(/^[-.]/, "_");
        module.FS.mkdirTree(kSceneFolder);
        module.FS.chdir(kSceneFolder);
        module.FS.writeFile(name, scene.bytes);
        args.push(name);
      }],
      onKelvaneFrame: count => {
        if (count !== 1) return;
        performance.mark("kelvane-first-frame-" + run);
        if (run === 1) state.firstFrameMs = performance.now();
        if (run === state.runs) state.shown = scene;
      },
      onKelvaneEnd: code => {
        if (run !== state.runs) return;
        if (scene && !options.kelvaneFrames && scene !== state.shown) {
          start(state.shown, errors.join("\n") || scene.name + ": the program could not open it");
        } else {
          ended(code);
        }
      },
    };
    state.module = options;
    try {
      await createKelvane(options);
    } catch (error) {
      status.textContent = "The program could not start: " + error;
    }
  }

  async function openFile(file) {
    start({name: file.name, bytes: new Uint8Array(await file.arrayBuffer())});
  }

  async function openExample(name) {
    const response = await fetch("examples/" + encodeURIComponent(name));
    if (!response.ok) {
      status.textContent = "Could not load " + name + " (" + response.status + ")";
      return;
    }
    start({name, bytes: new Uint8Array(await response.arrayBuffer())});
  }

  // examples/index.json says whether the program reads scene files and
  // which examples came with the build; without it the page offers the
  // built-in scene alone.
  async function offerScenes() {
    let listing;
    try {
      const response = await fetch("examples/index.json");
      if (!response.ok) return;
      listing = await response.json();
    } catch (error) {
      return;
    }
    if (!listing.opensFiles) return;
    const list = document.getElementById("examples");
    for (const name of listing.examples || []) {
      const item = document.createElement("li");
      const button = document.createElement("button");
      button.type = "button";
      button.textContent = name;
      button.addEventListener("click", () => openExample(name));
      item.appendChild(button);
      list.appendChild(item);
    }
    document.getElementById("scenes").hidden = false;
    document.getElementById("scene-file").addEventListener("change", event => {
      if (event.target.files.length) openFile(event.target.files[0]);
    });
    document.getElementById("demo-scene").addEventListener("click", () => start(null));
    document.addEventListener("dragover", event => {
      event.preventDefault();
      document.body.classList.add("dropping");
    });
    document.addEventListener("dragleave", () => document.body.classList.remove("dropping"));
    document.addEventListener("drop", event => {
      event.preventDefault();
      document.body.classList.remove("dropping");
      if (event.dataTransfer.files.length) openFile(event.dataTransfer.files[0]);
    });
  }

  document.getElementById("restart").addEventListener("click", () => start(state.scene));
  canvas.addEventListener("mousedown", () => canvas.focus());
  window.addEventListener("resize", fitCanvas);
  fitCanvas();
  start(null);
  offerScenes();
})();
