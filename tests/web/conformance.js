// The conformance scenarios (tests/conformance/scenarios.txt) on the web window: the
// scenario player every backend shares, built for Node with the web driver
// (web_driver.cpp), plays each scenario in a new page of the test site in headless
// Chromium, through driver.js. `--lang=ja`: the browser's language is Japanese;
// `--touch`: a touch screen, where the player taps instead of clicking.
//   node tests/web/conformance.js PROGRAM TEST_SITE_FOLDER [--lang=ja] [--touch] [SCENARIO...]
'use strict';
const fs = require('fs');
const path = require('path');
const {serve, launch} = require('./browser');
const {PageGame} = require('./driver');

async function main() {
  const [program, folder, ...rest] = process.argv.slice(2);
  const language = (rest.find((a) => a.startsWith('--lang=')) || '').slice('--lang='.length);
  const touch = rest.includes('--touch');
  const only = rest.filter((a) => !a.startsWith('--'));
  const site = await serve(folder);
  const browser = await launch({language});
  let game = null;
  // What the player does to the page and what it shows, as the driver asks for them.
  const yes = (b) => (b ? 'yes' : 'no');
  const asks = {
    open: async () => {
      game = await PageGame.open(browser, site.origin + '/', {touch});
    },
    draw: (card) => game.run((n) => vopTest.draw(n), Number(card)),
    drawsLeft: () => game.drawsLeft(),
    start: () => game.start(),
    perform: (action) => game.perform(action),
    box: () => {
      const box = game.box();
      return box ? [box.title, box.text, box.buttons].join('\n') : '';
    },
    closeBox: (way) => game.closeBox(way),
    closeWindow: () => game.closeWindow(),
    title: () => game.title(),
    caption: (name) => game.caption(name),
    enabled: async (name) => yes(await game.enabled(name)),
    place: async (name) => (await game.place(name)).join(' '),
    focus: () => game.focus(),
    spokenName: (name) => game.spokenName(name),
    spokenDescription: (name) => game.spokenDescription(name),
    spokenWindowName: () => game.spokenWindowName(),
    language: () => game.language(),
    ended: async () => yes(await game.ended()),
    close: async () => (await game.close()).join('\n'),
  };
  try {
    const player = await require(path.resolve(program))({
      // Handed in: this emscripten would fetch() it, which Node's fetch cannot do for a file.
      wasmBinary: fs.readFileSync(program.replace(/\.js$/, '.wasm')),
      vopPage: {
        ask: (what, argument) => asks[what](argument),
        pixels: (name) => game.pixels(name),
      },
    });
    const failed = await player.ccall('vop_web_conformance', 'number', ['string'], [only.join(' ')],
                                      {async: true});
    process.exitCode = failed === 0 ? 0 : 1;
  } finally {
    await browser.close();
    site.close();
  }
}

main().catch((e) => {
  console.error(e);
  process.exitCode = 1;
});
