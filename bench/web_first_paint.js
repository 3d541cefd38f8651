// The site in headless Chromium: its size as served, and the time from navigation to the
// first paint of a dealt hand (the page paints nothing with content before the hand),
// beside the same for a static page with the same elements and styles and no program
// (the dealt page as the site drew it, its scripts taken out).
// Cold: a new browser with an empty profile each time; warm: the same browser again, the
// first visit settled.
//   node bench/web_first_paint.js SITE_FOLDER [RUNS]
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const {serve, launch, programIn} = require('../tests/web/browser');

// The player stays on the page a while: what it does once shown (installing its service
// worker, say) is done before the next visit.
async function firstPaint(browser, origin) {
  const page = await browser.newPage();
  await page.goto(origin + '/');
  const handle = await page.waitForFunction(() => {
    const paint = performance.getEntriesByName('first-contentful-paint')[0];
    const dealt = document.getElementById('btnCard(0)');
    return paint && dealt && dealt.textContent ? paint.startTime : 0;
  }, {timeout: 10000});
  const ms = await handle.jsonValue();
  await page.evaluate(async () => {
    await new Promise((resolve) => setTimeout(resolve, 500));
    if (await navigator.serviceWorker.getRegistration()) await navigator.serviceWorker.ready;
  });
  await page.close();
  return ms;
}

// The site's page once dealt, as a static page in a folder of its own.
async function staticCopy(origin, siteFolder) {
  const browser = await launch();
  const page = await browser.newPage();
  await page.goto(origin + '/');
  await page.waitForFunction(() => document.title !== 'Vop');
  const html = await page.evaluate(() => {
    // The fonts the program gives the page, as the page's style (a policy that allows them).
    const style = document.createElement('style');
    style.textContent = Object.entries(window.Module.vopFonts).map(([name, data]) =>
        `@font-face { font-family: vop-${name}; src: url(data:font/ttf;base64,${data}); }`).join('\n');
    document.head.append(style);
    document.querySelectorAll('script, meta[name="vop-manifest"], link[rel="manifest"], meta[http-equiv]').forEach((e) => e.remove());
    return '<!doctype html>\n' + document.documentElement.outerHTML;
  });
  await browser.close();
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vop-static-'));
  fs.writeFileSync(path.join(folder, 'index.html'), html);
  fs.copyFileSync(path.join(siteFolder, 'vop.svg'), path.join(folder, 'vop.svg'));
  return folder;
}

// The same static page with a script as large as the site's program, in the same place,
// that runs and draws nothing: what any page pays for a program of its own before its
// first paint.
function withIdleScript(folder) {
  const idle = fs.mkdtempSync(path.join(os.tmpdir(), 'vop-idle-'));
  const site = fs.readFileSync(path.join(process.argv[2], 'index.html'), 'utf8');
  const [start, end] = programIn(site);
  const program = end - start;
  const html = fs.readFileSync(path.join(folder, 'index.html'), 'utf8')
                   .replace(/<meta http-equiv="Content-Security-Policy"[^>]*>/, '')
                   .replace('</body>', `<script>var idle = "${'A'.repeat(program - 20)}";</script></body>`);
  fs.writeFileSync(path.join(idle, 'index.html'), html);
  fs.copyFileSync(path.join(folder, 'vop.svg'), path.join(idle, 'vop.svg'));
  return idle;
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
  const copy = await staticCopy(site.origin, folder);
  const idleCopy = withIdleScript(copy);
  const still = await serve(copy);
  const idle = await serve(idleCopy);
  const times = {site: {cold: [], warm: []}, still: {cold: [], warm: []}, idle: {cold: [], warm: []}};
  try {
    for (let i = 0; i < runs; ++i) {
      for (const [name, origin] of [['site', site.origin], ['still', still.origin], ['idle', idle.origin]]) {
        const browser = await launch();
        try {
          times[name].cold.push(await firstPaint(browser, origin));
          times[name].warm.push(await firstPaint(browser, origin));
        } finally {
          await browser.close();
        }
      }
    }
  } finally {
    site.close();
    still.close();
    idle.close();
    fs.rmSync(copy, {recursive: true});
    fs.rmSync(idleCopy, {recursive: true});
  }
  const line = (t) => `warm ${median(t.warm).toFixed(1)} ms (cold ${median(t.cold).toFixed(1)} ms)`;
  console.log(`navigation to first paint of a dealt hand, medians of ${runs}:`);
  console.log(`  the site:                             ${line(times.site)}`);
  console.log(`  a static page with the same elements: ${line(times.still)}`);
  console.log(`  the same with an idle script as large: ${line(times.idle)}`);
  const ratio = (t) => ['warm', 'cold'].map((k) => `${k} ${(median(t[k]) / median(times.still[k])).toFixed(2)} x`).join(', ');
  console.log(`  the site against the static page: ${ratio(times.site)}`);
  console.log(`  the idle script against the static page: ${ratio(times.idle)}`);
}

if (require.main === module) {
  main().catch((e) => {
    console.error(e);
    process.exitCode = 1;
  });
}

module.exports = {staticCopy};
