// Starts varko-lsp for ODF and tech-tree files and hands it the "varko" settings, both at start-up
// (initializationOptions) and whenever it asks (workspace/configuration).
'use strict';

const path = require('path');
const vscode = require('vscode');
const { LanguageClient, TransportKind } = require('vscode-languageclient/node');

let client;

// Paths in the settings are taken from the workspace folder, so the server always gets absolute ones.
function absolute(folder, value) {
  if (!folder || path.isAbsolute(value)) return value;
  return path.join(folder.uri.fsPath, value);
}

// Only what the user set is sent: an empty list or an unset switch leaves varko.ini's value in force.
function varkoSettings(scope) {
  const config = vscode.workspace.getConfiguration('varko', scope);
  const folder = scope ? vscode.workspace.getWorkspaceFolder(scope) : undefined;
  const settings = {};
  const dirs = (key) => config.get(key, []).map((dir) => absolute(folder, dir));
  if (config.get('addonDirs', []).length) settings.addonDirs = dirs('addonDirs');
  if (config.get('sodDirs', []).length) settings.sodDirs = dirs('sodDirs');
  if (config.get('appDir', '')) settings.appDir = absolute(folder, config.get('appDir'));
  if (typeof config.get('extraChecks') === 'boolean') settings.extraChecks = config.get('extraChecks');
  if (config.get('ignore', []).length) settings.ignore = config.get('ignore');
  if (config.get('ignorePaths', []).length) settings.ignorePaths = config.get('ignorePaths');
  return settings;
}

// Answers workspace/configuration: the "varko" section of the folder each item names.
function answerConfiguration(params) {
  return params.items.map((item) => {
    if (item.section && item.section !== 'varko') return null;
    const scope = item.scopeUri ? vscode.Uri.parse(item.scopeUri) : undefined;
    return varkoSettings(scope);
  });
}

function serverOptions() {
  const command = vscode.workspace.getConfiguration('varko').get('serverPath', 'varko-lsp') || 'varko-lsp';
  return { command, args: ['--stdio'], transport: TransportKind.stdio };
}

function clientOptions() {
  const folders = vscode.workspace.workspaceFolders || [];
  return {
    documentSelector: [
      { scheme: 'file', language: 'odf' },
      { scheme: 'file', language: 'tt' },
      { scheme: 'untitled', language: 'odf' },
      { scheme: 'untitled', language: 'tt' },
    ],
    initializationOptions: varkoSettings(folders.length ? folders[0].uri : undefined),
    synchronize: {
      configurationSection: 'varko',
      fileEvents: vscode.workspace.createFileSystemWatcher('**/{*.odf,*.ODF,*.tt,*.sod,*.SOD,varko.ini}'),
    },
    middleware: {
      workspace: { configuration: (params) => answerConfiguration(params) },
    },
  };
}

function startClient() {
  client = new LanguageClient('varko', 'Varko Workshop', serverOptions(), clientOptions());
  return client.start();
}

// A new server path takes a new client: the old one keeps the command it was made with.
async function restartClient() {
  if (client) await client.stop();
  return startClient();
}

function activate(context) {
  context.subscriptions.push(
    vscode.commands.registerCommand('varko.restartServer', restartClient),
    vscode.workspace.onDidChangeConfiguration((event) => {
      if (event.affectsConfiguration('varko.serverPath')) restartClient();
    }),
  );
  // varko.checkMod is registered by the client itself once the server announces the command.
  return startClient();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate, answerConfiguration, varkoSettings };
