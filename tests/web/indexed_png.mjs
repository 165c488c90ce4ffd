// Reads the headless host's frames: 8-bit indexed PNG files, non-interlaced,
// as kelvane-render writes them. Returns the pixels as RGB through the
// file's own palette, so that they compare with a canvas's RGBA directly.
import {readFileSync} from "node:fs";
import {inflateSync} from "node:zlib";

const kSignature = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// Undoes the per-row filters of one byte per pixel.
function unfilter(data, width, height) {
  const out = Buffer.alloc(width * height);
  for (let y = 0; y < height; ++y) {
    const filter = data[y * (width + 1)];
    const row = data.subarray(y * (width + 1) + 1, (y + 1) * (width + 1));
    for (let x = 0; x < width; ++x) {
      const a = x > 0 ? out[y * width + x - 1] : 0;
      const b = y > 0 ? out[(y - 1) * width + x] : 0;
      const c = x > 0 && y > 0 ? out[(y - 1) * width + x - 1] : 0;
      const predictor = [0, a, b, (a + b) >> 1, paeth(a, b, c)][filter];
      if (predictor === undefined) throw new Error(`unknown PNG row filter ${filter}`);
      out[y * width + x] = (row[x] + predictor) & 0xff;
    }
  }
  return out;
}

export function readIndexedPng(path) {
  const file = readFileSync(path);
  if (!file.subarray(0, 8).equals(kSignature)) throw new Error(`${path} is not a PNG file`);
  let width = 0, height = 0, palette = null;
  const compressed = [];
  for (let at = 8; at < file.length;) {
    const length = file.readUInt32BE(at);
    const type = file.toString("latin1", at + 4, at + 8);
    const body = file.subarray(at + 8, at + 8 + length);
    if (type === "IHDR") {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[9] !== 3 || body[12] !== 0) {
        throw new Error(`${path}: not an 8-bit indexed, non-interlaced PNG`);
      }
    } else if (type === "PLTE") {
      palette = body;
    } else if (type === "IDAT") {
      compressed.push(body);
    }
    at += 12 + length;
  }
  if (!palette) throw new Error(`${path} has no palette`);
  const indices = unfilter(inflateSync(Buffer.concat(compressed)), width, height);
  const rgb = Buffer.alloc(width * height * 3);
  for (let i = 0; i < indices.length; ++i) palette.copy(rgb, i * 3, indices[i] * 3, indices[i] * 3 + 3);
  return {width, height, rgb};
}
