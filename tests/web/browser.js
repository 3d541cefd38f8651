// Headless Chromium over the DevTools protocol, and the site it loads from 127.0.0.1: what
// Vop's browser tests, its bench and its screenshots share. Nothing here downloads a browser.
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};

// A static server of the folder on 127.0.0.1, on a port the system chooses; `asked` lists
// the paths it was asked for, `close` stops it at once.
function serve(folder) {
  const root = path.resolve(folder);
  const asked = [];
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(request.url.split('?')[0]);
    asked.push(name);
    const file = path.join(root, name.endsWith('/') ? name + 'index.html' : name);
    fs.readFile(file, (error, data) => {
      if (error || !file.startsWith(root + path.sep)) {
        response.writeHead(404);
        response.end();
        return;
      }
      response.writeHead(200, {'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream'});
      response.end(data);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
    resolve({
      origin: `http${':'}//127.0.0.1:${server.address().port}`,
      asked,
      close: () => {
        server.close();
        server.closeAllConnections();
      },
    });
  }));
}

// Debian's Chromium, headless, in a new empty profile, asking no address of its own;
// `language`: the language it tells pages the player reads ("ja"), else its own; `app`: an
// address it opens as an app's window of its own (--app), as an installed site's.
async function launch({language = '', app = ''} = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vop-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.VOP_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           ...(language ? [`--accept-lang=${language}`] : []), ...(app ? [`--app=${app}`] : [])],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    fs.rmSync(profile, {recursive: true, force: true});
  };
  return browser;
}

// Where the program lies in a site's page (index.html): the start and end of its script.
const programIn = (page) => [page.lastIndexOf('<script>') + '<script>'.length, page.lastIndexOf('</script>')];

module.exports = {serve, launch, programIn};
