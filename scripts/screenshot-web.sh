#!/usr/bin/env bash
# Photographs the site in headless Chromium into docs/screenshots/, after one play:
# web-1x.png and web-2x.png, the window at 100 % and 200 % (device pixel ratio 1 and 2, in
# a page just large enough for it); web-phone.png, a 360 x 640 page at ratio 3;
# web-1920x1080.png, a wide screen; web-100x50.png, a 100 x 50 page (a 500-pixel window
# at 500 %) with the "Win" box open, dealt by the test page.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"
need_headless_chromium
web_build vop_test_page
mkdir -p docs/screenshots
node - build/web/site build/web/test_site docs/screenshots <<'JS'
const {serve, launch} = require(`${process.env.VOP_ROOT}/tests/web/browser`);
const {PageGame} = require(`${process.env.VOP_ROOT}/tests/web/driver`);
(async () => {
  const [folder, testFolder, out] = process.argv.slice(2);
  const site = await serve(folder);
  const testSite = await serve(testFolder);
  const browser = await launch();
  const shoot = async (name, origin, [width, height, deviceScaleFactor], window, prepare) => {
    const game = await PageGame.open(browser, origin + '/', {viewport: {width, height, deviceScaleFactor}});
    await prepare(game);
    const clip = window ? await game.run(() => document.querySelector('.vop-window').getBoundingClientRect().toJSON()) : undefined;
    await game.page.screenshot({path: `${out}/${name}`, clip});
    await game.close();
    console.log(`${out}/${name}`);
  };
  const play = async (game) => {
    // The first slot that can be played, so that the ground and a greyed grid letter show.
    const slot = await game.run(() => [0, 1, 2, 3, 4].find((i) => !document.getElementById(`btnCard(${i})`).disabled));
    await game.perform(`click btnCard(${slot})`);
  };
  await shoot('web-1x.png', site.origin, [130, 90, 1], true, play);
  await shoot('web-2x.png', site.origin, [130, 90, 2], true, play);
  await shoot('web-phone.png', site.origin, [360, 640, 3], false, play);
  await shoot('web-1920x1080.png', site.origin, [1920, 1080, 1], false, play);
  await shoot('web-100x50.png', testSite.origin, [100, 50, 1], false, (game) => game.run(() => {
    vopTest.drawWinnable();
    vopTest.start();
    for (let i = 0; i < 48; ++i) document.getElementById('btnCard(0)').click();
    [1, 2, 3, 4].forEach((i) => document.getElementById(`btnCard(${i})`).click());
  }));
  await browser.close();
  site.close();
  testSite.close();
})().catch((e) => { console.error(e); process.exitCode = 1; });
JS
