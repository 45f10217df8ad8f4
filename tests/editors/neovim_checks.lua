-- What the Neovim test checks and records: the comparison with varko-check and the result lines.
local env = vim.env
local mod, addon, sod = env.VARKO_MOD, env.VARKO_MOD .. '/addon', env.VARKO_MOD .. '/sod'
local lines, failures = {}, 0
local published = {}

local function check(ok, what)
  table.insert(lines, (ok and 'ok   ' or 'FAIL ') .. what)
  if not ok then
    failures = failures + 1
  end
  return ok
end

local function wait_for(what, condition)
  return check(vim.wait(20000, condition, 20), what)
end

-- Every publication reaches the test as the server sent it, and Neovim's own handler as well.
local function watch_diagnostics()
  local default = vim.lsp.handlers['textDocument/publishDiagnostics']
  vim.lsp.handlers['textDocument/publishDiagnostics'] = function(err, result, ctx, config)
    published[result.uri] = result.diagnostics
    return default(err, result, ctx, config)
  end
end

local severity_of = { error = 1, warning = 2, note = 3 }

-- varko-check's gcc report of one file, one "line:column: severity code message" row per finding.
local function checker_rows(path)
  local command = { env.VARKO_CHECK, '--appdir', env.VARKO_APPDIR, '--addon', addon, '--sod', sod,
                    '--format', 'gcc', path }
  local rows = {}
  for _, out in ipairs(vim.fn.systemlist(command)) do
    -- The report holds the file's own bytes; the server's messages are UTF-8.
    out = vim.fn.iconv(out, 'cp1252', 'utf-8') ~= '' and vim.fn.iconv(out, 'cp1252', 'utf-8')
          or vim.fn.iconv(out, 'latin1', 'utf-8')
    local line, column, severity, message, code = out:match('^.-:(%d+):(%d+): (%a+): (.*) %[(%w+)%]$')
    if line then
      table.insert(rows, table.concat({ line, column, severity_of[severity], code, message }, ' '))
    end
  end
  return rows
end

local function server_rows(diagnostics)
  local rows = {}
  for _, d in ipairs(diagnostics) do
    table.insert(rows, table.concat({ d.range.start.line + 1, d.range.start.character + 1, d.severity,
                                      d.code, d.message }, ' '))
  end
  return rows
end

local function same_rows(name, expected, actual)
  table.sort(expected)
  table.sort(actual)
  local ok = check(vim.deep_equal(expected, actual), name .. ': ' .. #actual .. ' diagnostics, varko-check gives '
                   .. #expected)
  if not ok then
    for _, row in ipairs(expected) do
      table.insert(lines, '  varko-check: ' .. row)
    end
    for _, row in ipairs(actual) do
      table.insert(lines, '  server:      ' .. row)
    end
  end
end

local function open(path)
  vim.cmd('edit ' .. vim.fn.fnameescape(path))
  return vim.api.nvim_get_current_buf(), vim.uri_from_fname(path)
end

local function compare_file(name)
  local path = addon .. '/' .. name
  local buf, uri = open(path)
  if not wait_for(name .. ': diagnostics published', function() return published[uri] ~= nil end) then
    return
  end
  local expected = checker_rows(path)
  if name:match('^faulty') then
    check(#expected > 0, name .. ': varko-check reports findings')
  end
  same_rows(name, expected, server_rows(published[uri]))
  local shown = {}
  for _, d in ipairs(vim.diagnostic.get(buf)) do
    table.insert(shown, table.concat({ d.lnum + 1, d.message }, ' '))
  end
  local wanted = {}
  for _, d in ipairs(published[uri]) do
    table.insert(wanted, table.concat({ d.range.start.line + 1, d.message }, ' '))
  end
  table.sort(shown)
  table.sort(wanted)
  check(vim.deep_equal(shown, wanted), name .. ': Neovim shows the same ' .. #wanted .. ' diagnostics')
end

-- The buffer written to another file must give back the file's bytes: the encoding the snippet
-- chose for a Windows-1252 file round-trips.
local function same_bytes_written(name)
  local path = addon .. '/' .. name
  local copy = mod .. '/' .. name .. '.written'
  vim.cmd('silent write! ' .. vim.fn.fnameescape(copy))
  check(vim.deep_equal(vim.fn.readfile(path, 'b'), vim.fn.readfile(copy, 'b')),
        name .. ': written back byte for byte (read as ' .. vim.bo.fileencoding .. ')')
end

-- The features the server is expected to have; the others are named as not checked.
local function wanted(name)
  local features = env.VARKO_LSP_FEATURES
  if features == nil or vim.tbl_contains(vim.split(features, ','), name) then
    return true
  end
  table.insert(lines, 'not checked: ' .. name .. ' (not expected of this varko-lsp)')
  return false
end

return {
  wanted = wanted,
  same_bytes_written = same_bytes_written,
  check = check,
  wait_for = wait_for,
  published = published,
  watch_diagnostics = watch_diagnostics,
  compare_file = compare_file,
  open = open,
  lines = lines,
  failures = function() return failures end,
  addon = addon,
  sod = sod,
  mod = mod,
}
