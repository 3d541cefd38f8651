#!/usr/bin/env bash
# Photographs the site's window in headless Chromium at 100 % and 200 % (device pixel
# ratio 1 and 2), after one play, into docs/screenshots/web-1x.png and web-2x.png.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"
need_packages "${BUILD_PACKAGES[@]}" emscripten
need_headless_chromium
cmake --preset web >/dev/null
cmake --build --preset web
mkdir -p docs/screenshots
node - build/web/site docs/screenshots <<'JS'
const {serve, launch} = require(`${process.env.VOP_ROOT}/tests/web/browser`);
(async () => {
  const [folder, out] = process.argv.slice(2);
  const site = await serve(folder);
  const browser = await launch();
  for (const scale of [1, 2]) {
    const page = await browser.newPage();
    await page.setViewport({width: 400, height: 300, deviceScaleFactor: scale});
    await page.goto(site.origin + '/');
    await page.waitForFunction(() => document.title.startsWith('Vop:'));
    const at = (e) => { const r = e.getBoundingClientRect(); return {x: r.x, y: r.y, width: r.width, height: r.height}; };
    const card = await page.$eval('[id="btnCard(0)"]', at);
    await page.mouse.click(card.x + card.width / 2, card.y + card.height / 2);
    await page.screenshot({path: `${out}/web-${scale}x.png`, clip: await page.$eval('.vop-form', at)});
    await page.close();
    console.log(`${out}/web-${scale}x.png`);
  }
  await browser.close();
  site.close();
})().catch((e) => { console.error(e); process.exitCode = 1; });
JS
