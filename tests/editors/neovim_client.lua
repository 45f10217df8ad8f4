-- Neovim as the client of the real varko-lsp, through the snippet of editors/neovim: the sample
-- mod's diagnostics must be varko-check's findings for the same files, and completion, hover,
-- going to a file and a quick fix must work. Writes "ok"/"FAIL" lines, then PASSED or FAILED, to
-- $VARKO_RESULT; run_neovim_client.sh sets the environment and reads it.
local env = vim.env
local t = dofile(env.VARKO_TEST_DIR .. '/neovim_checks.lua')
local check, wait_for, published = t.check, t.wait_for, t.published

local function client_of(buf)
  local _, client = next(vim.lsp.buf_get_clients(buf))
  return client
end

local function hover_text(contents)
  if type(contents) == 'string' then
    return contents
  end
  if contents.value then
    return contents.value
  end
  local parts = {}
  for _, part in ipairs(contents) do
    table.insert(parts, type(part) == 'string' and part or part.value)
  end
  return table.concat(parts, '\n')
end

local function find_diagnostic(uri, pattern)
  for _, d in ipairs(published[uri] or {}) do
    if d.message:find(pattern, 1, true) then
      return d
    end
  end
end

local function completion(client, buf, uri)
  local reply = client.request_sync('textDocument/completion',
    { textDocument = { uri = uri }, position = { line = 1, character = 6 } }, 5000, buf)
  local items = reply and reply.result and (reply.result.items or reply.result) or {}
  local found
  for _, item in ipairs(items) do
    if item.label == 'unitName' then
      found = item
    end
  end
  check(found ~= nil, 'completion after "unitNa" offers unitName (' .. #items .. ' items)')
  check(found and found.detail == 'string', 'completion: unitName has its declared type, string, as detail')
end

local function hover(client, buf, uri)
  local reply = client.request_sync('textDocument/hover',
    { textDocument = { uri = uri }, position = { line = 2, character = 3 } }, 5000, buf)
  local text = reply and reply.result and hover_text(reply.result.contents) or ''
  check(text:find('weaponName1', 1, true) and text:find('odf', 1, true),
        'hover on weaponName1 names its declared type: ' .. text:gsub('\n', ' | '))
end

-- Going to a file through Neovim's own command: the cursor must land in unitbase.odf.
local function definition(_, buf)
  vim.api.nvim_win_set_cursor(0, { 1, 12 })
  vim.lsp.buf.definition()
  local opened = wait_for('go to definition opens unitbase.odf from the include line', function()
    return vim.api.nvim_buf_get_name(0):match('/addon/unitbase%.odf$') ~= nil
  end)
  if opened then
    check(vim.api.nvim_win_get_cursor(0)[1] == 1, 'go to definition lands on the first line')
  end
  vim.api.nvim_set_current_buf(buf)
end

local function quick_fix(client, buf, uri)
  local wrong = find_diagnostic(uri, 'canon.odf')
  if not check(wrong ~= nil, 'probe.odf: "canon" is reported as a missing file') then
    return
  end
  local reply = client.request_sync('textDocument/codeAction', { textDocument = { uri = uri },
    range = wrong.range, context = { diagnostics = { wrong } } }, 5000, buf)
  local action
  for _, candidate in ipairs(reply and reply.result or {}) do
    if candidate.kind == 'quickfix' and candidate.edit and candidate.title:find('cannon', 1, true) then
      action = candidate
    end
  end
  if not check(action ~= nil, 'a quick fix offers "cannon" for "canon"') then
    return
  end
  published[uri] = nil
  vim.lsp.util.apply_workspace_edit(action.edit, client.offset_encoding)
  check(vim.api.nvim_buf_get_lines(buf, 2, 3, false)[1] == 'weaponName1 = cannon',
        'the quick fix edits the line to "weaponName1 = cannon"')
  wait_for('diagnostics come again after the fix', function() return published[uri] ~= nil end)
  check(find_diagnostic(uri, 'canon.odf') == nil, 'the fixed line is no longer reported')
end

-- A new, unsaved document: the server works on the text Neovim sends.
local function probe()
  local buf, uri = t.open(t.addon .. '/probe.odf')
  vim.api.nvim_buf_set_lines(buf, 0, -1, false, { '#include "unitbase.odf"', 'unitNa', 'weaponName1 = canon' })
  if not wait_for('probe.odf: diagnostics published', function() return find_diagnostic(uri, 'canon.odf') end) then
    return
  end
  local client = client_of(buf)
  local features = { completion = completion, hover = hover, definition = definition, codeAction = quick_fix }
  for _, name in ipairs({ 'completion', 'hover', 'definition', 'codeAction' }) do
    if t.wanted(name) then
      features[name](client, buf, uri)
    end
  end
end

local function main()
  vim.o.swapfile = false
  dofile(env.VARKO_SNIPPET).setup({
    cmd = { env.VARKO_LSP, '--stdio' },
    settings = { addonDirs = { t.addon }, sodDirs = { t.sod }, appDir = env.VARKO_APPDIR },
    keys = false,
  })
  t.watch_diagnostics()
  for _, name in ipairs({ 'faulty.odf', 'faulty_tree.tt', 'tank.odf', 'scout.odf', 'techtree.tt' }) do
    t.compare_file(name)
  end
  -- Files with bytes outside ASCII, one of them a byte Windows-1252 leaves undefined.
  for _, name in ipairs({ 'accents.odf', 'undefined.odf' }) do
    t.compare_file(name)
    t.same_bytes_written(name)
  end
  probe()
end

local ok, err = xpcall(main, debug.traceback)
check(ok, 'the script ran to its end' .. (ok and '' or ': ' .. tostring(err)))
table.insert(t.lines, t.failures() == 0 and 'PASSED' or 'FAILED')
vim.fn.writefile(t.lines, env.VARKO_RESULT)
vim.cmd('qall!')
