// Runs before the program's JavaScript starts: what the program writes to stderr (a
// run-time error's one line) reaches the console as an error.
Module['printErr'] = function(text) {
  console.error(text);
};

// The wasm is inside this script (a data: address): it is compiled from there, for the
// page may fetch nothing but its own site. The browser decodes it, where it can. It is
// small, and compiled and started at once, as the script runs: the page does nothing
// else in between, and draws the window once, dealt.
Module['instantiateWasm'] = function(imports, received) {
  try {
    var base64 = wasmBinaryFile.slice(wasmBinaryFile.indexOf(',') + 1);
    var module = new WebAssembly.Module(Uint8Array.fromBase64 ? Uint8Array.fromBase64(base64)
                                                                : tryParseAsDataURI(wasmBinaryFile));
    var instance = new WebAssembly.Instance(module, imports);
  } catch (e) {
    try {
      abort(e);  // says so once, on the console and on the page
    } catch (aborted) {
    }
    return {};
  }
  received(instance, module);
  return instance.exports;
};

// A program that cannot start (its wasm cannot be compiled, say) says so in one line on
// the page, not only on the console, in place of the page's line for a program that never
// loaded.
Module['onAbort'] = function(what) {
  var unstarted = document.getElementById('vop-unstarted');
  if (unstarted) unstarted.remove();
  // Once, and not where the window shows it itself (web_window.js).
  if (document.querySelector('.vop-form, .vop-error')) return;
  var line = document.createElement('p');
  line.className = 'vop-error';
  line.style.margin = '8px';
  // The page's title is the program's name.
  line.textContent = document.title + ': ' + what;
  document.body.append(line);
};
