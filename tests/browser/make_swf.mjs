// Writes a small Flash movie: a stage of 400 x 300 pixels with a blue
// background (SetBackgroundColor), a yellow rectangle (DefineShape, placed
// by PlaceObject2) in its middle, one frame (ShowFrame) and End, laid out
// in Adobe's published SWF file format, version 19.
//
//   node make_swf.mjs OUT.swf
import fs from 'node:fs';

export const background = [32, 96, 192];
export const rectangle = [240, 200, 40];
const twips = (pixels) => pixels * 20;

// Bit fields, most significant bit first, as SWF packs RECTs and shapes.
class Bits {
  constructor() { this.bytes = []; this.used = 8; }
  put(value, count) {
    for (let bit = count - 1; bit >= 0; --bit) {
      if (this.used === 8) { this.bytes.push(0); this.used = 0; }
      if ((value >> bit) & 1) this.bytes[this.bytes.length - 1] |= 0x80 >> this.used;
      ++this.used;
    }
  }
  signed(value, count) { this.put(value < 0 ? value + 2 ** count : value, count); }
}

// Bits a signed field needs for every value.
const signedBits = (...values) => Math.max(...values.map((v) => Math.abs(v).toString(2).length + 1));

function rect(bits, xMin, xMax, yMin, yMax) {
  const n = signedBits(xMin, xMax, yMin, yMax);
  bits.put(n, 5);
  for (const v of [xMin, xMax, yMin, yMax]) bits.signed(v, n);
}

const u16 = (v) => [v & 0xff, v >> 8];
const u32 = (v) => [v & 0xff, (v >> 8) & 0xff, (v >> 16) & 0xff, v >>> 24];
function tag(code, body) {
  const head = body.length < 63 ? u16((code << 6) | body.length) : [...u16((code << 6) | 63), ...u32(body.length)];
  return [...head, ...body];
}

function shape() {
  const [x0, y0, x1, y1] = [twips(100), twips(75), twips(300), twips(225)];
  const bits = new Bits();
  rect(bits, x0, x1, y0, y1);
  const bounds = bits.bytes;
  const records = new Bits();
  records.put(1, 4); // fill style bits
  records.put(0, 4); // line style bits
  // Style change: fill style 1, move to the top left corner.
  records.put(0, 1);
  records.put(0b00101, 5); // new styles, line style, fill style 1, fill style 0, move to
  const move = signedBits(x0, y0);
  records.put(move, 5);
  records.signed(x0, move);
  records.signed(y0, move);
  records.put(1, 1);
  // Four straight edges round the rectangle, each along one axis.
  for (const [vertical, delta] of [[false, x1 - x0], [true, y1 - y0], [false, x0 - x1], [true, y0 - y1]]) {
    const n = signedBits(delta);
    records.put(1, 1); // edge
    records.put(1, 1); // straight
    records.put(n - 2, 4);
    records.put(0, 1); // not a general line
    records.put(vertical ? 1 : 0, 1);
    records.signed(delta, n);
  }
  records.put(0, 6); // end of shape
  return [...u16(1), ...bounds, 1, 0x00, ...rectangle, 0, ...records.bytes];
}

export function movie() {
  const frame = new Bits();
  rect(frame, 0, twips(400), 0, twips(300));
  const body = [
    ...frame.bytes, ...u16(24 << 8), ...u16(1),
    ...tag(9, background),
    ...tag(2, shape()),
    ...tag(26, [0x02, ...u16(1), ...u16(1)]),
    ...tag(1, []),
    ...tag(0, []),
  ];
  const length = 8 + body.length;
  return Buffer.from([0x46, 0x57, 0x53, 10, ...u32(length), ...body]);
}

if (process.argv[2]) fs.writeFileSync(process.argv[2], movie());
