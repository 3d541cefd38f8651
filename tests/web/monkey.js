// The monkey (tests/support/monkey.h) on the web window: its walk runs inside the test page,
// where it says what the player does next and judges what came of it with the invariant
// checker; here each action is performed with real input in headless Chromium.
//   node tests/web/monkey.js TEST_SITE_FOLDER
'use strict';
const {serve, launch} = require('./browser');
const {PageGame} = require('./driver');

const kUniform = 0;
const kRigged = 2;  // reliability::Source
// Seeded walks: the same seed gives the same walk. Rigged walks win games, and so close
// the "Win" box by key and by mouse.
// One rigged walk taps, as on a touch screen.
const kWalks = [
  {name: 'uniform', source: kUniform, seed: 1000, events: 600},
  {name: 'rigged', source: kRigged, seed: 3000, events: 1200},
  {name: 'rigged, taps', source: kRigged, seed: 3001, events: 1200, touch: true},
];

async function walk(browser, origin, {source, seed, events, touch}) {
  const game = await PageGame.open(browser, origin + '/', {touch});
  const run = (f, ...args) => game.run(f, ...args);
  // An action, then the "Win" box if it opened one: clicks and keys behind it, each
  // judged, until the walk closes it.
  const perform = async (action) => {
    await game.perform(action);
    const box = game.box();
    if (!box) return;
    await run((b) => vopTest.monkeyBoxOpened(b.title, b.text, b.buttons), box);
    let inBox = await run(() => vopTest.monkeyNextInBox());
    while (!inBox.startsWith('box-closes-by ')) {
      await game.perform(inBox);
      inBox = await run(() => {
        vopTest.monkeyDoneInBox();
        return vopTest.monkeyNextInBox();
      });
    }
    return game.closeBox(inBox.split(' ')[1]);
  };
  try {
    await run((s, n) => vopTest.monkeyStart(s, n), source, seed);
    // The walk judges an action and says the next in one call into the page.
    let action = await run((n) => (vopTest.monkeyWantsMore(n) ? vopTest.monkeyNext() : ''), events);
    while (action) {
      await perform(action);
      action = await run((n) => {
        vopTest.monkeyDone();
        return vopTest.monkeyWantsMore(n) ? vopTest.monkeyNext() : '';
      }, events);
    }
    await game.perform('click cmdPlay(1)');
    const summary = await run(() => vopTest.monkeyFinish());
    const faults = await game.close();
    if (faults.length) throw new Error(faults.join('\n'));
    return summary;
  } catch (e) {
    // A broken invariant ends the program in the page with one line on its console.
    throw new Error(`${e.message}\n  the console: ${game.console.join(' | ')}`);
  } finally {
    await game.close();
  }
}

// "1200 events, 700 plays, ... 3 wins, "Win" closed 2 times by key and 1 by mouse"
function figure(summary, pattern) {
  const m = pattern.exec(summary);
  return m ? Number(m[1]) : 0;
}

async function main() {
  const site = await serve(process.argv[2]);
  const browser = await launch();
  let passed = 0;
  let failed = 0;
  const rigged = {wins: 0, byKey: 0, byMouse: 0};
  try {
    for (const w of kWalks) {
      const what = `monkey (${w.name}, seed ${w.seed})`;
      try {
        const summary = await walk(browser, site.origin, w);
        if (figure(summary, /^(\d+) events/) < w.events) throw new Error(`${summary}: too few events`);
        if (w.source === kRigged) {
          rigged.wins += figure(summary, /(\d+) wins/);
          rigged.byKey += figure(summary, /closed (\d+) times by key/);
          rigged.byMouse += figure(summary, /and (\d+) by mouse/);
        }
        ++passed;
        console.log(`ok   ${what}: ${summary}`);
      } catch (e) {
        ++failed;
        console.log(`FAIL ${what}\n  ${e.message}`);
      }
    }
  } finally {
    await browser.close();
    site.close();
  }
  // Together the rigged walks win games and close the box both ways.
  if (rigged.wins > 0 && rigged.byKey > 0 && rigged.byMouse > 0) {
    ++passed;
  } else {
    ++failed;
    console.log(`FAIL the rigged walks: ${rigged.wins} wins, the box closed ${rigged.byKey} ` +
                `times by key and ${rigged.byMouse} by mouse`);
  }
  console.log(`monkey: ${passed} passed, ${failed} failed`);
  process.exitCode = failed === 0 ? 0 : 1;
}

main().catch((e) => {
  console.error(e);
  process.exitCode = 1;
});
