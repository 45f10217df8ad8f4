"""A small Language Server Protocol client over a child's pipes, for the varko-lsp benchmarks."""

import json
import os
import subprocess
import threading
import queue


class LspClient:
    def __init__(self, argv, cwd=None):
        self.proc = subprocess.Popen(argv, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, cwd=cwd)
        self.messages = queue.Queue()
        self.next_id = 1
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        out = self.proc.stdout
        while True:
            length = None
            while True:
                line = out.readline()
                if not line:
                    self.messages.put(None)
                    return
                line = line.strip()
                if not line:
                    break
                if line.lower().startswith(b"content-length:"):
                    length = int(line.split(b":")[1])
            self.messages.put(json.loads(out.read(length)))

    def send(self, message):
        body = json.dumps(message).encode()
        self.proc.stdin.write(b"Content-Length: %d\r\n\r\n" % len(body) + body)
        self.proc.stdin.flush()

    def notify(self, method, params):
        self.send({"jsonrpc": "2.0", "method": method, "params": params})

    def request(self, method, params):
        request_id = self.next_id
        self.next_id += 1
        self.send({"jsonrpc": "2.0", "id": request_id, "method": method, "params": params})
        return request_id

    def wait_for(self, accept, timeout=120):
        """The first message `accept` takes; server requests meanwhile are answered with null."""
        while True:
            message = self.messages.get(timeout=timeout)
            if message is None:
                raise EOFError("the server closed its output")
            if "method" in message and "id" in message:
                self.send({"jsonrpc": "2.0", "id": message["id"], "result": None})
            if accept(message):
                return message

    def response(self, request_id, timeout=120):
        return self.wait_for(lambda m: m.get("id") == request_id and "method" not in m, timeout)

    def diagnostics(self, uri, timeout=120):
        return self.wait_for(lambda m: m.get("method") == "textDocument/publishDiagnostics"
                             and m["params"]["uri"] == uri, timeout)

    def initialize(self, folder, options=None, capabilities=None):
        uri = "file://" + os.path.abspath(folder)
        request_id = self.request("initialize", {
            "processId": os.getpid(), "rootUri": uri,
            "workspaceFolders": [{"uri": uri, "name": "mod"}],
            "capabilities": capabilities or {}, "initializationOptions": options or {}})
        result = self.response(request_id)
        self.notify("initialized", {})
        return result

    def open(self, path, text, language="odf"):
        uri = "file://" + os.path.abspath(path)
        self.notify("textDocument/didOpen", {"textDocument": {
            "uri": uri, "languageId": language, "version": 1, "text": text}})
        return uri

    def close(self):
        request_id = self.request("shutdown", None)
        self.response(request_id)
        self.notify("exit", None)
        return self.proc.wait(timeout=30)
