// What the scenarios cannot see: the shipped site itself, the window's place in the page,
// and a run-time error in a page.
//   node tests/web/site.js SITE_FOLDER TEST_SITE_FOLDER
'use strict';
const fs = require('fs');
const {serve, launch} = require('./browser');

async function open(browser, origin, viewport) {
  const page = await browser.newPage();
  const seen = {console: [], requests: []};
  page.on('console', (m) => seen.console.push(m.text()));
  page.on('pageerror', (e) => seen.console.push(String(e)));
  page.on('request', (r) => seen.requests.push(r.url()));
  await page.setViewport(viewport || {width: 400, height: 300});
  await page.goto(origin + '/');
  await page.waitForFunction(() => document.title !== 'Vop' || window.vopTest, {timeout: 10000});
  return {page, seen};
}

const shows = (page) => page.evaluate(() => ({
  title: document.title,
  cards: [0, 1, 2, 3, 4].map((i) => document.getElementById(`btnCard(${i})`).textContent),
  focus: document.activeElement.id,
  status: document.querySelector('.vop-status').hidden ? '' : document.querySelector('.vop-status').textContent,
}));

async function main() {
  const [siteFolder, testFolder] = process.argv.slice(2);
  const site = await serve(siteFolder);
  const testSite = await serve(testFolder);
  const browser = await launch();
  let passed = 0;
  let failed = 0;
  const check = async (what, test) => {
    try {
      await test();
      ++passed;
      console.log(`ok   ${what}`);
    } catch (e) {
      ++failed;
      console.log(`FAIL ${what}\n  ${e.message}`);
    }
  };
  const expect = (ok, what) => {
    if (!ok) throw new Error(what);
  };
  try {
    await check('the site deals a hand from the clock, asking nothing of any other address', async () => {
      const {page, seen} = await open(browser, site.origin);
      const now = await shows(page);
      expect(now.title === 'Vop:現在0枚', `the title is ${now.title}`);
      expect(new Set(now.cards).size === 5 && now.cards.every((c) => c.length >= 2),
             `the hand shows ${now.cards.join(', ')}`);
      expect(now.focus === 'btnFocus', `the focus is on ${now.focus}`);
      expect(seen.console.length === 0, `the console says: ${seen.console.join(' | ')}`);
      const own = seen.requests.filter((u) => u.startsWith(site.origin + '/'));
      expect(own.length === seen.requests.length, `other addresses: ${seen.requests.join(' ')}`);
      // The site is the page and what it loads, nothing else.
      const loaded = own.map((u) => u.slice(site.origin.length + 1) || 'index.html').sort();
      const files = fs.readdirSync(siteFolder).sort();
      expect(loaded.join(' ') === files.join(' '), `it loads ${loaded.join(' ')}; the site holds ${files.join(' ')}`);
      await page.close();
    });

    await check('the window is 120 x 63 CSS pixels, its corner on a whole device pixel', async () => {
      for (const deviceScaleFactor of [1, 2, 1.5]) {
        const {page} = await open(browser, site.origin, {width: 401, height: 301, deviceScaleFactor});
        const r = await page.evaluate(() => document.querySelector('.vop-form').getBoundingClientRect().toJSON());
        // Layout keeps 1/64 of a CSS pixel: closer than that is the pixel itself.
        const whole = (v) => Math.abs(v - Math.round(v * deviceScaleFactor) / deviceScaleFactor) < 1 / 64;
        expect(r.width === 120 && r.height === 63 && whole(r.x) && whole(r.y),
               `at ${deviceScaleFactor}x the window is at ${r.x},${r.y}, ${r.width} x ${r.height}`);
        await page.close();
      }
    });

    await check('a run-time error: one line on the console and on the page, then no more input', async () => {
      const {page, seen} = await open(browser, testSite.origin);
      await page.evaluate(() => {
        for (const n of [20, 15, 7, 35, 51, 41]) vopTest.draw(n);
        vopTest.start();
        vopTest.fault();
      });
      const before = await shows(page);
      const line = seen.console.join('\n');
      expect(seen.console.length === 1 && /^Vop: run-time error \d+: /.test(line),
             `the console says: ${line}`);
      expect(before.status === line, `the page says: ${before.status}`);
      const box = await page.evaluate(() => {
        const r = document.getElementById('btnCard(0)').getBoundingClientRect();
        return {x: r.x + r.width / 2, y: r.y + r.height / 2};
      });
      await page.mouse.click(box.x, box.y);
      await page.keyboard.press('Tab');
      await page.keyboard.press('Space');
      const after = await shows(page);
      delete before.focus;  // the ended window holds no focus
      delete after.focus;
      expect(JSON.stringify(after) === JSON.stringify(before) && seen.console.length === 1,
             `after a click and keys: ${JSON.stringify(after)} (before: ${JSON.stringify(before)})`);
      await page.close();
    });
  } finally {
    await browser.close();
    site.close();
    testSite.close();
  }
  console.log(`site: ${passed} passed, ${failed} failed`);
  process.exitCode = failed === 0 ? 0 : 1;
}

main().catch((e) => {
  console.error(e);
  process.exitCode = 1;
});
