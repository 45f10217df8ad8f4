// The VS Code extension's answer to workspace/configuration, under a stand-in for the editor's API:
// what the user set goes to the server, relative paths from the folder, unset values not at all.
// Usage: node vscode_settings.js SOURCE_DIR
'use strict';

const Module = require('module');
const path = require('path');
const { check, report } = require('./node_checks');

const folder = { uri: { fsPath: '/mods/alpha' } };
const userSettings = {
  'file:///mods/alpha/a.odf': { addonDirs: ['addon', '/base/addon'], sodDirs: [], appDir: 'tools',
                                extraChecks: true, ignore: ['M7'], ignorePaths: [] },
  'file:///mods/beta/b.odf': { addonDirs: [], sodDirs: [], appDir: '', extraChecks: null, ignore: [], ignorePaths: [] },
};
const vscode = {
  Uri: { parse: (text) => ({ text }) },
  workspace: {
    getConfiguration: (section, scope) => ({ get: (key, fallback) => {
      const value = (userSettings[scope && scope.text] || {})[key];
      return value === undefined ? fallback : value;
    } }),
    getWorkspaceFolder: (scope) => (scope.text.startsWith('file:///mods/alpha/') ? folder : undefined),
  },
};
const load = Module._load;
Module._load = function (request, ...rest) {
  if (request === 'vscode') return vscode;
  if (request === 'vscode-languageclient/node') return {};
  return load.call(this, request, ...rest);
};
const extension = require(path.join(process.argv[2], 'editors/vscode/extension.js'));

const answer = extension.answerConfiguration({ items: [
  { scopeUri: 'file:///mods/alpha/a.odf', section: 'varko' },
  { scopeUri: 'file:///mods/beta/b.odf', section: 'varko' },
  { scopeUri: 'file:///mods/alpha/a.odf', section: 'editor' },
] });
check(JSON.stringify(answer[0]) === JSON.stringify({ addonDirs: ['/mods/alpha/addon', '/base/addon'],
  appDir: '/mods/alpha/tools', extraChecks: true, ignore: ['M7'] }),
  `the folder's settings, paths made absolute, empty ones left out: ${JSON.stringify(answer[0])}`);
check(JSON.stringify(answer[1]) === '{}', `nothing set leaves varko.ini in force: ${JSON.stringify(answer[1])}`);
check(answer[2] === null, 'another section gets null');
report();
