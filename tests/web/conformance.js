// The conformance scenarios (tests/conformance/scenarios.txt) played on the web window in
// headless Chromium, each in a new page, with the draws each scripts; the same text and
// the same small language as tests/support/scenario.cpp.
//   node tests/web/conformance.js TEST_SITE_FOLDER [SCENARIO...]
'use strict';
const fs = require('fs');
const path = require('path');
const {serve, launch} = require('./browser');
const {PageGame} = require('./driver');

const kScenarios = path.join(__dirname, '..', 'conformance', 'scenarios.txt');

function unreadable(line, what) {
  throw new Error(`scenarios.txt:${line}: ${what}`);
}

// Words of a line: spaces part them, double quotes hold spaces; "#" starts a comment.
function wordsOf(line, number) {
  const words = [];
  let i = 0;
  while (i < line.length) {
    if (line[i] === ' ') {
      ++i;
    } else if (line[i] === '#') {
      break;
    } else if (line[i] === '"') {
      const end = line.indexOf('"', i + 1);
      if (end < 0) unreadable(number, 'a quote is not closed');
      words.push(line.slice(i + 1, end));
      i = end + 1;
    } else {
      const end = line.indexOf(' ', i) < 0 ? line.length : line.indexOf(' ', i);
      words.push(line.slice(i, end));
      i = end;
    }
  }
  return words;
}

function readScenarios(text) {
  const all = [];
  text.split('\n').forEach((line, i) => {
    const words = wordsOf(line, i + 1);
    if (words.length === 0) return;
    if (words[0] === 'scenario') {
      all.push({name: words[1], steps: []});
    } else if (all.length === 0) {
      unreadable(i + 1, 'a step before the first scenario');
    } else {
      all[all.length - 1].steps.push({line: i + 1, words});
    }
  });
  return all;
}

// "H7", "SA", "DT": the card's number, 1..52.
function cardNamed(word, line) {
  const suit = 'SHDC'.indexOf(word[0]);
  const rank = 'A23456789TJQK'.indexOf(word[1]);
  if (word.length !== 2 || suit < 0 || rank < 0) unreadable(line, `no card is named ${word}`);
  return suit * 13 + rank + 1;
}

// "btnCard(2)" stays itself; "btnCard" with several values: its elements from 0 on.
function elements(word, count) {
  const m = /^(\w+)(?:\((\d+)\))?$/.exec(word);
  const first = m[2] === undefined ? 0 : Number(m[2]);
  if (count === 1) return [word];
  return Array.from({length: count}, (_, i) => `${m[1]}(${first + i})`);
}

async function play(scenario, game) {
  const failures = [];
  const boxes = [];
  let closeBy = 'Enter';
  game.onBox = async (box) => {
    boxes.push(box);
    return closeBy;
  };
  const check = (line, what, got, want) => {
    if (String(got) !== want) failures.push(`scenarios.txt:${line}: ${what} is "${got}", not "${want}"`);
  };
  const step = async (line, w) => {
    const verb = w[0];
    if (verb === 'deal' || verb === 'draw') {
      for (const word of w.slice(1)) await game.run((n) => vopTest.draw(n), cardNamed(word, line));
      if (verb === 'deal') await game.start();
    } else if (verb === 'deal-winnable') {
      await game.run(() => vopTest.drawWinnable());
      await game.start();
    } else if (verb === 'click') {
      await game.click(w[1]);
    } else if (verb === 'double-click') {
      await game.click(w[1]);
      await game.click(w[1], 2);
    } else if (verb === 'drag-off') {
      await game.dragOff(w[1]);
    } else if (verb === 'press') {
      await game.press(w[1]);
    } else if (verb === 'close-window') {
      await game.closeWindow();
    } else if (verb === 'box-closes-by') {
      closeBy = w[1];
    } else if (verb === 'repeat') {
      for (let i = Number(w[1]); i > 0; --i) await step(line, w.slice(2));
    } else if (verb === 'expect') {
      const what = w[1];
      if (what === 'title') {
        check(line, 'the title', await game.title(), w[2]);
      } else if (what === 'focus') {
        check(line, 'the focus', await game.focus(), w[2]);
      } else if (what === 'ended') {
        check(line, 'ended', (await game.ended()) ? 'yes' : 'no', w[2]);
      } else if (what === 'boxes') {
        check(line, 'the number of boxes', boxes.length, w[2]);
      } else if (what === 'box') {
        const last = boxes[boxes.length - 1] || {title: '', text: '', buttons: 0};
        check(line, "the box's title", last.title, w[2]);
        check(line, "the box's text", last.text, w[3] || '');
        check(line, "the box's buttons", last.buttons, '1');
      } else if (what === 'draws-left') {
        check(line, 'the draws left', await game.drawsLeft(), w[2]);
      } else {
        const reads = {
          caption: (n) => game.caption(n),
          enabled: async (n) => ((await game.enabled(n)) ? 'yes' : 'no'),
          spoken: (n) => game.spokenName(n),
          description: (n) => game.spokenDescription(n),
        };
        if (!reads[what] || w.length < 4) unreadable(line, `nothing to expect called ${what}`);
        const names = elements(w[2], w.length - 3);
        for (let i = 0; i < names.length; ++i) {
          check(line, `${what} of ${names[i]}`, await reads[what](names[i]), w[3 + i]);
        }
      }
    } else {
      unreadable(line, `no step is called ${verb}`);
    }
  };
  for (const s of scenario.steps) await step(s.line, s.words);
  return failures.concat(game.faults);
}

async function main() {
  const [folder, ...only] = process.argv.slice(2);
  const scenarios = readScenarios(fs.readFileSync(kScenarios, 'utf8'))
                        .filter((s) => only.length === 0 || only.includes(s.name));
  const site = await serve(folder);
  const browser = await launch();
  let passed = 0;
  let failed = 0;
  const foreign = new Set();
  try {
    for (const scenario of scenarios) {
      const game = await PageGame.open(browser, site.origin + '/');
      let failures;
      try {
        failures = await play(scenario, game);
      } catch (e) {
        failures = [String(e && e.stack || e)];
      }
      // The page says nothing on the console, and asks this site for everything it loads.
      if (game.console.length) failures.push(`the console: ${game.console.join(' | ')}`);
      game.requests.filter((u) => !u.startsWith(site.origin + '/')).forEach((u) => foreign.add(u));
      await game.close();
      if (failures.length === 0) {
        ++passed;
        console.log(`ok   ${scenario.name}`);
      } else {
        ++failed;
        console.log(`FAIL ${scenario.name}\n  ${failures.join('\n  ')}`);
      }
    }
  } finally {
    await browser.close();
    site.close();
  }
  if (foreign.size) {
    ++failed;
    console.log(`FAIL the pages asked for other addresses: ${[...foreign].join(' ')}`);
  }
  console.log(`conformance: ${passed} passed, ${failed} failed`);
  process.exitCode = failed === 0 && passed > 0 ? 0 : 1;
}

main().catch((e) => {
  console.error(e);
  process.exitCode = 1;
});
