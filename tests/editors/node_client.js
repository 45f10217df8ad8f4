// Drives the real varko-lsp from Node through vscode-languageserver-protocol, as VS Code's client
// library does: initialize with one position encoding, open a document, then diagnostics,
// completion, hover, definition, code actions, the outline, shutdown and exit.
// Usage: node node_client.js utf-16|utf-8 VARKO_LSP SOURCE_DIR WORK_DIR
'use strict';

const fs = require('fs');
const path = require('path');
const { spawn } = require('child_process');
const { pathToFileURL } = require('url');
const { featureWanted, check, report, waitFor, hoverText, flatten } = require('./node_checks');

let rpc;
try {
  rpc = require('vscode-languageserver-protocol/node');
} catch (error) {
  console.log('SKIPPED: vscode-languageserver-protocol is not installed (npm could not fetch it)');
  process.exit(77);
}

const [encoding, serverPath, sourceDir, workDir] = process.argv.slice(2);
const mod = path.join(workDir, 'mod');
const addon = path.join(mod, 'addon');
const settings = { addonDirs: [addon], sodDirs: [path.join(mod, 'sod')], appDir: path.join(sourceDir, 'data') };

// Outside ASCII before the faulty token, so the column differs between the encodings:
// "é" is 1 UTF-16 unit and 2 UTF-8 bytes, "𝄞" 2 units and 4 bytes.
const probeLines = ['#include "unitbase.odf"', 'tooltip = "é𝄞" x', 'weaponName1 = canon', 'unitNa'];
const probeUri = pathToFileURL(path.join(addon, 'probe.odf')).href;

function columnOf(line, token) {
  const index = line.lastIndexOf(token);
  return encoding === 'utf-8' ? Buffer.byteLength(line.slice(0, index)) : index;
}

function startServer() {
  fs.rmSync(workDir, { recursive: true, force: true });
  fs.cpSync(path.join(sourceDir, 'examples'), mod, { recursive: true });
  const server = spawn(serverPath, ['--stdio'], { stdio: ['pipe', 'pipe', 'inherit'] });
  const connection = rpc.createProtocolConnection(
    new rpc.StreamMessageReader(server.stdout), new rpc.StreamMessageWriter(server.stdin));
  const published = new Map();
  connection.onNotification('textDocument/publishDiagnostics', (params) => published.set(params.uri, params));
  connection.onRequest('workspace/configuration', (params) => params.items.map(() => settings));
  connection.onRequest('window/workDoneProgress/create', () => null);
  connection.onRequest('client/registerCapability', () => null);
  connection.listen();
  const exited = new Promise((resolve) => server.on('exit', (code) => resolve(code)));
  return { connection, published, exited };
}

async function initialize(connection) {
  const result = await connection.sendRequest('initialize', {
    processId: process.pid,
    rootUri: pathToFileURL(mod).href,
    workspaceFolders: [{ uri: pathToFileURL(mod).href, name: 'mod' }],
    initializationOptions: settings,
    capabilities: {
      general: { positionEncodings: encoding === 'utf-8' ? ['utf-8', 'utf-16'] : ['utf-16'] },
      workspace: { configuration: true, workspaceFolders: true },
      textDocument: { publishDiagnostics: { relatedInformation: true },
                      documentSymbol: { hierarchicalDocumentSymbolSupport: true } },
    },
  });
  check((result.capabilities.positionEncoding || 'utf-16') === encoding,
        `the server settles on ${encoding} (it says ${result.capabilities.positionEncoding})`);
  connection.sendNotification('initialized', {});
}

async function diagnostics(connection, published) {
  connection.sendNotification('textDocument/didOpen', {
    textDocument: { uri: probeUri, languageId: 'odf', version: 1, text: probeLines.join('\r\n') + '\r\n' } });
  await waitFor('diagnostics for the opened document', () => published.has(probeUri));
  const found = (published.get(probeUri) || { diagnostics: [] }).diagnostics;
  const leftOver = found.find((d) => d.message.includes("'x'"));
  check(leftOver && leftOver.range.start.line === 1 && leftOver.range.start.character === columnOf(probeLines[1], 'x'),
        `the left-over "x" is reported at character ${columnOf(probeLines[1], 'x')} of line 2` +
        ` (got ${leftOver && JSON.stringify(leftOver.range.start)})`);
  const missing = found.find((d) => d.message.includes('canon.odf'));
  check(missing && missing.source === 'varko' && missing.severity === 1 && typeof missing.code === 'string' &&
        missing.range.start.character === 14 && missing.range.end.character === 19,
        `"canon" is an error from varko on its token (got ${JSON.stringify(missing)})`);
  return missing;
}

function at(line, character) {
  return { textDocument: { uri: probeUri }, position: { line, character } };
}

async function completion(connection) {
  const completion = await connection.sendRequest('textDocument/completion', at(3, 6));
  const items = Array.isArray(completion) ? completion : (completion || { items: [] }).items;
  const unitName = items.find((item) => item.label === 'unitName');
  check(unitName && unitName.detail === 'string', `completion after "unitNa" offers unitName, a string (${items.length} items)`);
}

async function hover(connection) {
  const hover = await connection.sendRequest('textDocument/hover', at(2, 3));
  const text = hover ? hoverText(hover.contents) : '';
  check(text.includes('weaponName1') && text.includes('odf'), `hover on weaponName1 gives its type: ${JSON.stringify(text)}`);
}

async function definition(connection) {
  const definition = [].concat(await connection.sendRequest('textDocument/definition', at(0, 12)) || []);
  const target = definition[0] || {};
  const targetUri = target.targetUri || target.uri || '';
  const targetLine = (target.targetSelectionRange || target.range || { start: {} }).start.line;
  check(targetUri.endsWith('/addon/unitbase.odf') && targetLine === 0,
        `definition of the include goes to unitbase.odf, line 1 (got ${targetUri} line ${targetLine})`);
}

async function codeAction(connection, missing) {
  const actions = await connection.sendRequest('textDocument/codeAction', {
    textDocument: { uri: probeUri }, range: missing.range, context: { diagnostics: [missing] } });
  const fix = (actions || []).find((action) => action.kind === 'quickfix' && action.title.includes('cannon'));
  const edits = fix && fix.edit && fix.edit.changes ? fix.edit.changes[probeUri] || [] : [];
  check(edits.length === 1 && edits[0].newText === 'cannon' && edits[0].range.start.character === 14,
        `a quick fix changes "canon" to "cannon" (got ${JSON.stringify(fix)})`);
  check(fix && (fix.diagnostics || []).some((d) => d.message === missing.message), 'the quick fix names its diagnostic');
}

async function documentSymbol(connection) {
  const symbols = flatten(await connection.sendRequest('textDocument/documentSymbol', { textDocument: { uri: probeUri } }));
  const weapon = symbols.find((symbol) => symbol.name.includes('weaponName1'));
  const weaponLine = weapon && (weapon.range || weapon.location.range).start.line;
  check(weaponLine === 2, `the outline holds weaponName1 on line 3 (${symbols.length} symbols)`);
}

async function main() {
  const { connection, published, exited } = startServer();
  await initialize(connection);
  const missing = await diagnostics(connection, published);
  const features = { completion, hover, definition, codeAction, documentSymbol };
  for (const [name, run] of Object.entries(features)) {
    if (!missing || !featureWanted(name)) continue;
    // A failed request fails its feature; the others and the shutdown still run.
    await run(connection, missing).catch((error) => check(false, `${name}: ${error.message}`));
  }
  connection.sendNotification('textDocument/didClose', { textDocument: { uri: probeUri } });
  await waitFor('a closed document is cleared', () => published.get(probeUri).diagnostics.length === 0);
  check((await connection.sendRequest('shutdown')) === null, 'shutdown answers null');
  connection.sendNotification('exit');
  const code = await Promise.race([exited, new Promise((resolve) => setTimeout(() => resolve('still running'), 5000))]);
  check(code === 0, `after shutdown, exit ends the server with status 0 (got ${code})`);
  connection.dispose();
}

setTimeout(() => report('the test ran out of time'), 60000).unref();
main().then(() => report(), (error) => report(error.stack || String(error)));
