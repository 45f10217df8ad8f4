// What the Node client test records, and small helpers over the protocol's shapes.
'use strict';

let failures = 0;

function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures += 1;
  return ok;
}

// Ends the run: the status says whether every check passed.
function report(error) {
  if (error) check(false, error);
  console.log(failures === 0 ? 'PASSED' : `FAILED: ${failures} check(s)`);
  process.exit(failures === 0 ? 0 : 1);
}

async function waitFor(what, condition, milliseconds = 20000) {
  const end = Date.now() + milliseconds;
  while (!condition()) {
    if (Date.now() > end) return check(false, what);
    await new Promise((resolve) => setTimeout(resolve, 20));
  }
  return check(true, what);
}

function hoverText(contents) {
  if (typeof contents === 'string') return contents;
  if (Array.isArray(contents)) return contents.map(hoverText).join('\n');
  return contents.value || '';
}

// Document symbols, nested or flat, as one list.
function flatten(symbols) {
  return (symbols || []).flatMap((symbol) => [symbol, ...flatten(symbol.children)]);
}

// The features the server is expected to have; the others are named as not checked.
function featureWanted(name) {
  const wanted = process.env.VARKO_LSP_FEATURES;
  if (wanted === undefined || wanted.split(',').includes(name)) return true;
  console.log(`not checked: ${name} (not expected of this varko-lsp)`);
  return false;
}

module.exports = { featureWanted, check, report, waitFor, hoverText, flatten };
