// What the scenarios cannot see: the shipped site itself (offline, installable, opened as
// a file, a program that does not run), the window's size and letters in pages of every
// size, the "Win" box in a small page, a high-contrast theme, and a run-time error.
//   node tests/web/site.js SITE_FOLDER TEST_SITE_FOLDER
'use strict';
const crypto = require('crypto');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {serve, launch, programIn} = require('./browser');
const {PageGame, decodePng, kFaultMs} = require('./driver');

const shows = (page) => page.evaluate(() => ({
  title: document.title,
  cards: [0, 1, 2, 3, 4].map((i) => document.getElementById(`btnCard(${i})`).textContent),
  focus: document.activeElement.id,
  status: document.querySelector('.vop-status').hidden ? '' : document.querySelector('.vop-status').textContent,
}));

const expect = (ok, what) => {
  if (!ok) throw new Error(what);
};

// A dealt hand: the count at 0, five different cards, the focus parked.
async function expectDealt(page, where) {
  const now = await shows(page);
  expect(now.title === 'Vop:現在0枚' && new Set(now.cards).size === 5 &&
         now.cards.every((c) => c.length >= 2) && now.focus === 'btnFocus',
         `${where}: ${JSON.stringify(now)}`);
}

// The site's folder copied, with the program in its page changed by `change`; `signed`:
// with the page's policy allowing the changed program, as a build of it would.
function siteWith(folder, change, signed) {
  const copy = fs.mkdtempSync(path.join(os.tmpdir(), 'vop-site-'));
  for (const name of fs.readdirSync(folder)) fs.copyFileSync(path.join(folder, name), path.join(copy, name));
  const page = fs.readFileSync(path.join(copy, 'index.html'), 'utf8');
  const [start, end] = programIn(page);
  const program = change(page.slice(start, end));
  let changed = page.slice(0, start) + program + page.slice(end);
  if (signed) {
    const hash = crypto.createHash('sha256').update(program).digest('base64');
    changed = changed.replace(/'sha256-[^']*'/, `'sha256-${hash}'`);
  }
  fs.writeFileSync(path.join(copy, 'index.html'), changed);
  return copy;
}

// The colours a control's own area shows, most common first.
function coloursOf(picture) {
  const counts = new Map();
  for (const p of picture.pixels) counts.set(p, (counts.get(p) || 0) + 1);
  return [...counts.entries()].sort((a, b) => b[1] - a[1]).map(([p]) => p);
}

const hex = (p) => `#${p.toString(16).padStart(6, '0')}`;
const grid = Array.from({length: 52}, (_, i) => `lblExist(${i + 1})`);

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
  try {
    await check('the site deals from the clock, asks nothing elsewhere, installs, and plays offline', async () => {
      const game = await PageGame.open(browser, site.origin + '/');
      const page = game.page;
      await expectDealt(page, 'served');
      await page.evaluate(() => navigator.serviceWorker.ready);
      const {installabilityErrors} = await game.cdp.send('Page.getInstallabilityErrors');
      expect(installabilityErrors.length === 0, `it cannot be installed: ${JSON.stringify(installabilityErrors)}`);
      // The page and its service worker asked for every file of the site, and for no other.
      const asked = [...new Set(site.asked.map((u) => u.slice(1) || 'index.html'))].sort();
      const files = fs.readdirSync(siteFolder).sort();
      expect(asked.join(' ') === files.join(' '), `it asked for ${asked.join(' ')}; the site holds ${files.join(' ')}`);
      site.close();
      await page.reload();
      await page.waitForFunction(() => document.title !== 'Vop', {timeout: kFaultMs});
      await expectDealt(page, 'with the server gone');
      await game.perform('click btnCard(0)');
      await game.perform('click btnCard(1)');
      const played = await shows(page);
      expect(played.title !== 'Vop:現在0枚' || played.cards.some((c, i) => c === ''),
             `with the server gone no card plays: ${JSON.stringify(played)}`);
      const faults = await game.close();
      expect(faults.length === 0, faults.join('\n'));
    });

    await check('a new build plays from the visit after the one that finds it', async () => {
      const folder = siteWith(siteFolder, (js) => js);
      const served = await serve(folder);
      const page = await browser.newPage();
      const visit = async () => {
        await page.goto(served.origin + '/');
        await page.waitForFunction(() => document.title !== 'Vop', {timeout: kFaultMs});
        return page.evaluate(() => document.querySelector('meta[name="vop-next"]') !== null);
      };
      await visit();
      await page.evaluate(() => navigator.serviceWorker.ready);
      // The next build: its page marked, its worker another.
      const file = (name) => path.join(folder, name);
      fs.writeFileSync(file('index.html'), fs.readFileSync(file('index.html'), 'utf8').replace('<title>', '<meta name="vop-next"><title>'));
      fs.writeFileSync(file('sw.js'), fs.readFileSync(file('sw.js'), 'utf8').replace(/'vop-[0-9a-f]+'/, "'vop-next'"));
      expect(!await visit(), 'the visit that finds a new build already plays it');
      await page.waitForFunction(async () => (await caches.keys()).join() === 'vop-next', {timeout: kFaultMs});
      expect(await visit(), 'the visit after the one that found a new build still plays the old one');
      await page.close();
      served.close();
      fs.rmSync(folder, {recursive: true});
    });

    await check('opened as a file it plays; a program that does not run or compile says so in one line', async () => {
      const page = await browser.newPage();
      const seen = [];
      page.on('console', (m) => seen.push(m.text()));
      await page.goto(`file://${path.resolve(siteFolder, 'index.html')}`);
      await page.waitForFunction(() => document.title !== 'Vop', {timeout: kFaultMs});
      await expectDealt(page, 'as a file');
      expect(seen.length === 0, `the console says: ${seen.join(' | ')}`);
      // The page has shown all it will once its program has failed, or once the page's
      // policy has refused to run it: heard by a listener put in before the page loads.
      await page.evaluateOnNewDocument(() => document.addEventListener('securitypolicyviolation', () => {
        window.vopRefused = true;
      }));
      const lines = async (folder) => {
        const served = await serve(folder);
        await page.goto(served.origin + '/');
        await page.waitForFunction(() => document.querySelector('.vop-error') || window.vopRefused, {timeout: kFaultMs});
        // The line for a program that never loaded waits a while before it shows.
        await page.evaluate(() => document.getAnimations().forEach((a) => a.finish()));
        const shown = await page.evaluate(() => [...document.querySelectorAll('p')]
            .filter((p) => getComputedStyle(p).visibility === 'visible' && p.textContent)
            .map((p) => p.textContent));
        served.close();
        fs.rmSync(folder, {recursive: true});
        return shown;
      };
      // A program the page's policy does not allow (changed on its way) never runs.
      const unrun = await lines(siteWith(siteFolder, (js) => js.replace('run();', 'run(); ')));
      expect(unrun.length === 1 && /could not start.*did not run/.test(unrun[0]),
             `with a program that does not run the page shows: ${JSON.stringify(unrun)}`);
      // The wasm's magic number with another version: no browser compiles it.
      const broken = await lines(siteWith(siteFolder, (js) => js.replace('AGFzbQEAAAA', 'AGFzbQIAAAA'), true));
      expect(broken.length === 1 && /^Vop: /.test(broken[0]), `with a broken program the page shows: ${JSON.stringify(broken)}`);
      await page.close();
    });

    // The Qt window's grid at 100 %: how many of its letters' pixels are in the full colour.
    const qt = decodePng(fs.readFileSync(path.join(__dirname, '../../docs/screenshots/qt-1x.png')));
    const qtFull = qt.pixels.filter((p) => p === 0x0000ff || p === 0xff0000).length;
    await check(`the window fills the page by whole device pixels, its letters crisp (at 100 % ` +
                `${qtFull} or more in the full colour, as the Qt window has)`, async () => {
      const sizes = [[130, 90, 1], [400, 300, 1], [401, 301, 1.5], [360, 640, 3], [1920, 1080, 1], [100, 50, 1]];
      for (const [width, height, deviceScaleFactor] of sizes) {
        const at = `at ${width} x ${height} (${deviceScaleFactor})`;
        const game = await PageGame.open(browser, site.origin + '/', {viewport: {width, height, deviceScaleFactor}});
        const seen = await game.run(() => {
          const frame = document.querySelector('.vop-window');
          const r = frame.getBoundingClientRect();
          const root = document.documentElement;
          const zoom = Number(frame.style.zoom);
          return {x: r.x, y: r.y, width: r.width, height: r.height, size: [r.width / zoom, r.height / zoom],
                  scrolls: root.scrollWidth > root.clientWidth || root.scrollHeight > root.clientHeight,
                  slot: document.getElementById('btnCard(0)').getBoundingClientRect().width,
                  title: document.querySelector('.vop-title').textContent, titleLang: document.querySelector('.vop-title').lang,
                  lang: document.documentElement.lang, cardLang: document.getElementById('btnCard(0)').lang,
                  docTitle: document.title};
        });
        const k = seen.width * deviceScaleFactor / seen.size[0];
        const whole = (v) => Math.abs(v * deviceScaleFactor - Math.round(v * deviceScaleFactor)) < 1 / 32;
        const fits = (n) => seen.size[0] * n <= width * deviceScaleFactor && seen.size[1] * n <= height * deviceScaleFactor;
        expect(Math.abs(k - Math.round(k)) < 1 / 32 && k >= 1 && !fits(Math.round(k) + 1) && (fits(k) || k === 1),
               `${at} each pixel of the window takes ${k} device pixels`);
        expect(whole(seen.x) && whole(seen.y), `${at} the window's corner is at ${seen.x},${seen.y}`);
        expect(fits(k) ? !seen.scrolls && Math.abs(seen.x - (width - seen.width) / 2) <= 1 &&
                         Math.abs(seen.y - (height - seen.height) / 2) <= 1 : seen.scrolls,
               `${at} the window at ${seen.x},${seen.y} is not centred, or the page does not scroll to it`);
        expect(seen.title === seen.docTitle && seen.titleLang === 'ja' && seen.lang === 'en' && seen.cardLang === '',
               `${at} the title bar shows "${seen.title}" (lang ${seen.titleLang}, the page's ${seen.lang}, a card's ${seen.cardLang})`);
        if (deviceScaleFactor === 3) expect(seen.slot >= 24, `${at} a hand slot is ${seen.slot} CSS pixels wide`);
        if (!seen.scrolls) {
          // Each label's letter in its one colour on white, below the buttons' lower edge,
          // which the first row's labels lie under.
          let full = 0;
          for (const label of grid) {
            const picture = await game.pixels(label);
            const below = {pixels: picture.pixels.subarray(Math.round(k) * picture.width)};
            const colours = coloursOf(below);
            expect(colours.length <= 2, `${at} ${label} shows ${colours.map(hex).join(' ')}: its letter is smeared`);
            full += picture.pixels.filter((p) => p === 0x0000ff || p === 0xff0000).length;
          }
          if (k === 1) expect(full >= qtFull, `${at} ${full} pixels of the grid's letters are in the full colour`);
        }
        await game.close();
      }
    });

    await check('an app\'s window: the page\'s title bar, with the count, in the window\'s own beside the system\'s ' +
                'buttons, and "E" closes it; in a tab without the overlay the window has its own, and "E" only ' +
                'ends the game', async () => {
      const served = await serve(siteFolder);
      const navy = 0x000080;
      // The pixels of the page's top 33 rows (left: up to the system's buttons, 138 wide, and
      // right: their place) and below them.
      const look = async (page) => {
        const {data} = await (await page.createCDPSession()).send('Page.captureScreenshot', {format: 'png'});
        const {width, pixels} = decodePng(Buffer.from(data, 'base64'));
        const top = [...pixels.subarray(0, 33 * width)];
        const bar = top.filter((p, i) => i % width < width - 138);
        return {bar: bar.filter((p) => p === navy).length, letters: bar.filter((p) => p === 0xffffff).length,
                area: bar.length, buttons: top.filter((p, i) => i % width >= width - 138 && p === navy).length,
                below: pixels.subarray(33 * width).filter((p) => p === navy).length, picture: bar.join()};
      };
      const dealt = (page) => page.waitForFunction(() => document.title === 'Vop:現在0枚', {timeout: 10000});
      const app = await launch({app: served.origin + '/'});
      try {
        const page = await (await app.waitForTarget((t) => t.url().startsWith(served.origin))).page();
        await dealt(page);
        // Headless Chromium gives an --app window no overlay: its geometry is stood in for,
        // as an installed app's window that leaves its title bar to the page reports it.
        await page.evaluateOnNewDocument(() => {
          const controls = Object.assign(new EventTarget(), {visible: true});
          controls.getTitlebarAreaRect = () => new DOMRect(0, 0, innerWidth - 138, 33);
          Object.defineProperty(Navigator.prototype, 'windowControlsOverlay', {get: () => controls});
        });
        await page.reload();
        await dealt(page);
        const before = await look(page);
        expect(before.bar + before.letters === before.area && before.letters > 0 && before.letters < before.area / 10 &&
               before.buttons === 0 && before.below === 0,
               `the title bar: ${before.bar} of ${before.area} pixels in its colour, ${before.letters} in its letters' ` +
               `colour; ${before.buttons} in the system's buttons' place, ${before.below} below it`);
        await (await page.$('[id="btnCard(0)"]')).click();
        await page.waitForFunction(() => document.title !== 'Vop:現在0枚', {timeout: 10000});
        expect((await look(page)).picture !== before.picture, 'the count in the title bar did not change with a play');
        const closed = new Promise((resolve) => page.once('close', resolve));
        await (await page.$('[id="cmdPlay(1)"]')).click().catch(() => {});  // the page may go as it is clicked
        await Promise.race([closed, new Promise((resolve, reject) => setTimeout(
            () => reject(new Error('"E" left the app\'s window open')), 10000))]);
      } finally {
        await app.close();
      }
      const page = await browser.newPage();
      await page.evaluateOnNewDocument(() => {
        delete Navigator.prototype.windowControlsOverlay;
        window.close = () => { window.vopClosed = true; };
      });
      await page.goto(served.origin + '/');
      await dealt(page);
      const own = await look(page);
      expect(own.bar === 0 && own.below > 0, `without the overlay ${own.below} pixels of the window's own title bar`);
      await (await page.$('[id="cmdPlay(1)"]')).click();
      const ended = await page.waitForFunction(() => !document.querySelector('.vop-status').hidden &&
                                                     [document.querySelector('.vop-status').textContent, !!window.vopClosed]);
      const [said, closedTab] = await ended.jsonValue();
      expect(/Reload the page/.test(said) && !closedTab, `"E" in a tab: "${said}", the tab closed: ${closedTab}`);
      await page.close();
      served.close();
    });

    await check('the "Win" box is whole in a small page as in a large one', async () => {
      for (const [width, height, deviceScaleFactor] of [[100, 50, 1], [400, 300, 1], [360, 640, 3]]) {
        const game = await PageGame.open(browser, testSite.origin + '/', {viewport: {width, height, deviceScaleFactor}});
        const box = await game.run(() => {
          vopTest.drawWinnable();
          vopTest.start();
          const click = (i) => document.getElementById(`btnCard(${i})`).click();
          for (let i = 0; i < 48; ++i) click(0);
          [1, 2, 3, 4].forEach(click);
          const r = document.querySelector('.vop-box').getBoundingClientRect();
          return {open: document.querySelector('.vop-box').open, x: r.x, y: r.y, right: r.right, bottom: r.bottom};
        });
        expect(box.open && box.x >= 0 && box.y >= 0 && box.right <= width && box.bottom <= height,
               `at ${width} x ${height} the box is at ${JSON.stringify(box)}`);
        await game.closeBox('Enter');
        await game.close();
      }
    });

    await check('a high-contrast theme keeps the three states of a card apart, and greyed visible', async () => {
      const game = await PageGame.open(browser, testSite.origin + '/');
      await game.cdp.send('Emulation.setEmulatedMedia', {features: [{name: 'forced-colors', value: 'active'}]});
      await game.run(() => {
        for (const n of [20, 15, 7, 35, 51, 41]) vopTest.draw(n);  // H7 H2 S7 C9 DK, then C2
        vopTest.start();
      });
      await game.perform('click btnCard(0)');
      // In the deck, in the hand, played; a greyed button.
      const looks = [];
      for (const name of ['lblExist(1)', 'lblExist(41)', 'lblExist(20)', 'btnCard(3)']) {
        const colours = coloursOf(await game.pixels(name)).slice(0, 2).map(hex);
        expect(colours.length === 2, `${name} shows no letter: ${colours.join(' ')}`);
        looks.push(colours.join(' on '));
      }
      expect(new Set(looks.slice(0, 3)).size === 3, `the three states look alike: ${looks.join(', ')}`);
      await game.close();
    });

    await check('after a move the focus comes to the table, said as a status, and is told it once', async () => {
      const game = await PageGame.open(browser, testSite.origin + '/');
      await game.run(() => {
        for (const n of [20, 15, 7, 35, 51, 41]) vopTest.draw(n);
        vopTest.start();
      });
      await game.perform('click btnCard(0)');
      const node = await game.heard('btnFocus');
      const heard = node.name ? node.name.value : '';
      const told = await game.run(() => document.querySelector('[aria-live]').textContent);
      const focus = await game.focus();
      expect(heard === 'Ground: Seven of hearts. 1 played. To play: Two of hearts, Seven of spades. ' +
                       'Not playable: Two of clubs, Nine of diamonds, Queen of clubs.' &&
             node.role.value === 'status' && focus === 'btnFocus' && told === '',
             `btnFocus (${node.role.value}, focus on ${focus}) is "${heard}"; the page announced "${told}"`);
      await game.close();
    });

    await check('a run-time error: one line on the console and on the page, then no more input', async () => {
      const game = await PageGame.open(browser, testSite.origin + '/');
      const page = game.page;
      await page.evaluate(() => {
        for (const n of [20, 15, 7, 35, 51, 41]) vopTest.draw(n);
        vopTest.start();
        vopTest.fault();
      });
      const before = await shows(page);
      const line = game.console.join('\n');
      expect(game.console.length === 1 && /^Vop: run-time error \d+: /.test(line), `the console says: ${line}`);
      expect(before.status === line, `the page says: ${before.status}`);
      await game.perform('click btnCard(0)');
      await game.perform('press Tab');
      await game.perform('press Space');
      const after = await shows(page);
      delete before.focus;  // the ended window holds no focus
      delete after.focus;
      expect(JSON.stringify(after) === JSON.stringify(before) && game.console.length === 1,
             `after a click and keys: ${JSON.stringify(after)} (before: ${JSON.stringify(before)})`);
      await game.close();
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
