// Prints the page's pixel fonts (web/web_window.js) as JSON, for the build to make
// a font of the page's own from them (web/pixel_font.py).
//   node web/fonts_json.js WEB_WINDOW_JS
'use strict';
let page = null;
global.LibraryManager = {library: {}};
global.mergeInto = (library, functions) => {
  page = functions.$VopWeb;
};
require(require('path').resolve(process.argv[2]));
process.stdout.write(JSON.stringify(page.fonts));
