#!/usr/bin/env python3
"""A small HTTP server for the download tests, bound to 127.0.0.1.

Usage: http_server.py ROOT LOGFILE
Prints the chosen port on stdout, then serves until killed:
  /files/NAME       the file ROOT/NAME (Content-Length set)
  /nolength/NAME    the file without Content-Length (ends by closing)
  /slow/NAME        the file in 4 KiB pieces, one every 20 ms
  /truncated/NAME   announces the whole file, sends half, closes
  /stall/NAME       announces the file, sends 1 KiB, then sends nothing more
  /redirect/REST    302 to /REST
  /loop             302 to /loop, for ever
  anything else     404
Every request is appended to LOGFILE as "path<TAB>Cache-Control header".
"""
import http.server
import os
import sys
import time
import urllib.parse

ROOT = sys.argv[1]
LOG = sys.argv[2]


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def _file(self, name):
        path = os.path.join(ROOT, os.path.basename(urllib.parse.unquote(name)))
        if not os.path.isfile(path):
            return None
        return path

    def _headers(self, code, length=None, extra=None):
        self.send_response(code)
        self.send_header("Content-Type", "application/octet-stream")
        if length is not None:
            self.send_header("Content-Length", str(length))
        else:
            self.send_header("Connection", "close")
        for key, value in (extra or {}).items():
            self.send_header(key, value)
        self.end_headers()

    def do_GET(self):
        with open(LOG, "a") as log:
            log.write("%s\t%s\n" % (self.path, self.headers.get("Cache-Control", "")))
        parts = self.path.split("/", 2)
        kind = parts[1] if len(parts) > 1 else ""
        rest = parts[2] if len(parts) > 2 else ""
        try:
            if kind == "loop":
                self._headers(302, 0, {"Location": "/loop"})
                return
            if kind == "redirect":
                self._headers(302, 0, {"Location": "/" + rest})
                return
            path = self._file(rest) if kind in ("files", "nolength", "slow", "truncated", "stall") else None
            if path is None:
                body = b"not here\n"
                self._headers(404, len(body))
                self.wfile.write(body)
                return
            size = os.path.getsize(path)
            with open(path, "rb") as f:
                if kind == "files":
                    self._headers(200, size)
                    self.wfile.flush()
                    # sendfile keeps the server from being the slow end of
                    # the throughput benchmark.
                    offset = 0
                    while offset < size:
                        sent = os.sendfile(self.connection.fileno(), f.fileno(), offset, size - offset)
                        if sent == 0:
                            break
                        offset += sent
                elif kind == "nolength":
                    self._headers(200)
                    self.wfile.write(f.read())
                    self.close_connection = True
                elif kind == "slow":
                    self._headers(200, size)
                    while True:
                        chunk = f.read(4096)
                        if not chunk:
                            break
                        self.wfile.write(chunk)
                        self.wfile.flush()
                        time.sleep(0.02)
                elif kind == "truncated":
                    self._headers(200, size)
                    self.wfile.write(f.read(size // 2))
                    self.wfile.flush()
                    self.close_connection = True
                elif kind == "stall":
                    self._headers(200, size)
                    self.wfile.write(f.read(1024))
                    self.wfile.flush()
                    while True:
                        time.sleep(1)
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True


server = Server(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
