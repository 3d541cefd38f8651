// Fails the site's build, naming the letter, if a caption the game can show (read from the
// program app/web_captions.cpp makes, one "points<tab>caption" a line) has a letter that
// the page's pixel fonts (web/web_window.js) do not draw: the page would show a gap.
//   node app/web_glyphs.js WEB_WINDOW_JS CAPTIONS_FILE [STAMP]
'use strict';
const fs = require('fs');

const [windowScript, captionsFile, stamp] = process.argv.slice(2);
// The page's side of the window is a library the linker merges into the program: taken
// here as it is given to the linker.
let page = null;
global.LibraryManager = {library: {}};
global.mergeInto = (library, functions) => {
  page = functions.$VopWeb;
};
require(require('path').resolve(windowScript));
global.VopWeb = page;  // as the program names it

const missing = new Map();  // a line for each letter lacking, with the first caption showing it
for (const line of fs.readFileSync(captionsFile, 'utf8').split('\n').filter(Boolean)) {
  const [points, caption] = line.split('\t');
  const font = page.fontFor(Number(points));
  for (const c of caption || '') {
    if (!page.hasGlyph(font, c) && !missing.has(font + c)) {
      const code = `U+${c.codePointAt(0).toString(16).toUpperCase().padStart(4, '0')}`;
      missing.set(font + c, `"${c}" (${code}) has no glyph in the page's ${font} pixel font ` +
                            `(the game shows it in "${caption}")`);
    }
  }
}
if (missing.size) {
  console.error([...missing.values()].join('\n'));
  process.exit(1);
}
if (stamp) fs.writeFileSync(stamp, '');
