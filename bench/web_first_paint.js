// The site in headless Chromium: its size as served, and the time from navigation to the
// first paint of a dealt hand (the page paints nothing with content before the hand).
// Cold: a new browser with an empty profile each time; warm: the same browser again.
//   node bench/web_first_paint.js SITE_FOLDER [RUNS]
'use strict';
const fs = require('fs');
const path = require('path');
const {serve, launch} = require('../tests/web/browser');

async function firstPaint(browser, origin) {
  const page = await browser.newPage();
  await page.goto(origin + '/');
  const handle = await page.waitForFunction(() => {
    const paint = performance.getEntriesByName('first-contentful-paint')[0];
    const dealt = document.getElementById('btnCard(0)');
    return paint && dealt && dealt.textContent ? paint.startTime : 0;
  }, {timeout: 10000});
  const ms = await handle.jsonValue();
  await page.close();
  return ms;
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function main() {
  const folder = process.argv[2];
  const runs = Number(process.argv[3] || 15);
  const files = fs.readdirSync(folder).sort();
  const sizes = files.map((f) => [f, fs.statSync(path.join(folder, f)).size]);
  const total = sizes.reduce((sum, [, size]) => sum + size, 0);
  console.log(`site as served: ${total} bytes (${(total / 1024).toFixed(1)} KiB): ` +
              sizes.map(([f, size]) => `${f} ${size}`).join(', '));

  const site = await serve(folder);
  const cold = [];
  const warm = [];
  try {
    for (let i = 0; i < runs; ++i) {
      const browser = await launch();
      try {
        cold.push(await firstPaint(browser, site.origin));
        warm.push(await firstPaint(browser, site.origin));
      } finally {
        await browser.close();
      }
    }
  } finally {
    site.close();
  }
  console.log(`navigation to first paint of a dealt hand: warm ${median(warm).toFixed(1)} ms ` +
              `(cold ${median(cold).toFixed(1)} ms), medians of ${runs}`);
}

main().catch((e) => {
  console.error(e);
  process.exitCode = 1;
});
