-- varko-lsp for ODF and tech-tree files in Neovim 0.7 or later, without any plugin.
-- Copy this file to ~/.config/nvim/lua/varko.lua and add to init.lua:
--   require('varko').setup({
--     cmd = { '/path/to/varko-lsp', '--stdio' },
--     settings = { addonDirs = { 'addon' }, sodDirs = { '../base/sod' }, extraChecks = true },
--   })
-- Settings left out come from the mod's varko.ini; relative paths are taken from the mod's root.
local M = {}

M.defaults = {
  cmd = { 'varko-lsp', '--stdio' },
  -- addonDirs, sodDirs, appDir, extraChecks, ignore, ignorePaths
  settings = {},
  -- Buffer-local keys; set to false to keep your own.
  keys = true,
}

local patterns = { '*.odf', '*.ODF', '*.tt' }
local clients = {}

-- The mod's root: the nearest folder at or above the file that holds varko.ini, else the
-- current directory.
function M.root_dir(file)
  local found = vim.fn.findfile('varko.ini', vim.fn.fnamemodify(file, ':p:h') .. ';')
  if found ~= '' then
    return vim.fn.fnamemodify(found, ':p:h')
  end
  return vim.fn.getcwd()
end

local function set_keys(bufnr)
  local function map(lhs, rhs)
    vim.keymap.set('n', lhs, rhs, { buffer = bufnr, silent = true })
  end
  map('gd', vim.lsp.buf.definition)
  map('K', vim.lsp.buf.hover)
  map('gr', vim.lsp.buf.references)
  map('<leader>ca', vim.lsp.buf.code_action)
  map('[d', vim.diagnostic.goto_prev)
  map(']d', vim.diagnostic.goto_next)
end

-- One server per mod root; every ODF and tech-tree buffer under it joins that server.
function M.attach(bufnr, opts)
  local root = M.root_dir(vim.api.nvim_buf_get_name(bufnr))
  if not clients[root] or vim.lsp.client_is_stopped(clients[root]) then
    clients[root] = vim.lsp.start_client({
      name = 'varko',
      cmd = opts.cmd,
      root_dir = root,
      workspace_folders = { { uri = vim.uri_from_fname(root), name = root } },
      init_options = opts.settings,
      -- Neovim answers workspace/configuration from here, section "varko".
      settings = { varko = opts.settings },
    })
  end
  if not clients[root] then
    return nil
  end
  vim.lsp.buf_attach_client(bufnr, clients[root])
  vim.bo[bufnr].omnifunc = 'v:lua.vim.lsp.omnifunc'
  if opts.keys then
    set_keys(bufnr)
  end
  return clients[root]
end

function M.setup(user)
  local opts = vim.tbl_deep_extend('force', M.defaults, user or {})
  local group = vim.api.nvim_create_augroup('varko', { clear = true })
  local saved_encodings
  -- Mod files are Windows-1252. cp1252 reads them; the five bytes it leaves undefined make the
  -- conversion fail, and latin1 then reads every byte as it is. Either way the buffer keeps its
  -- 'fileencoding', so writing gives back the same bytes.
  vim.api.nvim_create_autocmd('BufReadPre', {
    group = group,
    pattern = patterns,
    callback = function()
      saved_encodings = vim.o.fileencodings
      vim.o.fileencodings = 'cp1252,latin1'
    end,
  })
  vim.api.nvim_create_autocmd('BufReadPost', {
    group = group,
    pattern = patterns,
    callback = function()
      if saved_encodings then
        vim.o.fileencodings = saved_encodings
        saved_encodings = nil
      end
    end,
  })
  vim.api.nvim_create_autocmd({ 'BufNewFile', 'BufRead' }, {
    group = group,
    pattern = patterns,
    callback = function(args)
      local tech_tree = args.file:match('%.tt$') ~= nil
      vim.bo[args.buf].filetype = tech_tree and 'tt' or 'odf'
    end,
  })
  vim.api.nvim_create_autocmd('FileType', {
    group = group,
    pattern = { 'odf', 'tt' },
    callback = function(args)
      -- A file without a final line end keeps it that way, and new files get Windows line ends.
      vim.bo[args.buf].fixendofline = false
      local name = vim.api.nvim_buf_get_name(args.buf)
      if name ~= '' and vim.fn.filereadable(name) == 0 then
        vim.bo[args.buf].fileformat = 'dos'
        vim.bo[args.buf].fileencoding = 'cp1252'
      end
      M.attach(args.buf, opts)
    end,
  })
  return M
end

return M
