#!/usr/bin/env python3
"""Loopback HTTP server for the updater's tests: serves the files below --root
and injects faults per request path.

It listens on 127.0.0.1 at an ephemeral port and prints "PORT <n>" as its first
line of output (also written to --port-file when given). The fault table is a
JSON object in --faults, read again for every request, mapping a URL path such
as "/soft/a.exe" to one of:
  "404", "500"  answer with that status and a small error page
  "drop"        announce the whole length, send half the body, close
  "short"       announce more bytes than the body has, send the body, close
  "trickle"     send the body in eight pieces, 50 ms apart
  "silent"      close the connection without any answer
Every request path is appended to --log as one line, before it is answered.
"""
import argparse
import http.server
import json
import os
import socketserver
import sys
import threading
import time
import urllib.parse


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    # Headers and body go out as separate writes; without this the second
    # waits for a delayed acknowledgement on every new connection.
    disable_nagle_algorithm = True
    server_version = "KvzTestServer/1"

    def log_message(self, *args):
        pass

    def _fault(self, path):
        faults_file = self.server.faults_file
        if not faults_file or not os.path.exists(faults_file):
            return None
        with open(faults_file, encoding="utf-8") as f:
            text = f.read().strip()
        return json.loads(text).get(path) if text else None

    def _log(self, path):
        if self.server.log_file:
            with self.server.log_lock, open(self.server.log_file, "a", encoding="utf-8") as f:
                f.write(path + "\n")

    def _error(self, status):
        body = ("<html><body>error %d</body></html>" % status).encode()
        self.send_response(status)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def do_HEAD(self):
        self.do_GET()

    def do_GET(self):
        path = urllib.parse.unquote(urllib.parse.urlsplit(self.path).path, errors="surrogateescape")
        self._log(path)
        fault = self._fault(path)
        if fault == "silent":
            self.close_connection = True
            return
        if fault in ("404", "500"):
            self._error(int(fault))
            return
        local = os.path.join(self.server.root, path.lstrip("/"))
        if not os.path.isfile(local):
            self._error(404)
            return
        with open(local, "rb") as f:
            body = f.read()
        announced = len(body) + (100 if fault == "short" else 0)
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(announced))
        if fault:
            self.send_header("Connection", "close")
            self.close_connection = True
        self.end_headers()
        if self.command == "HEAD":
            return
        if fault == "drop":
            self.wfile.write(body[: len(body) // 2])
            self.wfile.flush()
        elif fault == "trickle":
            piece = max(1, (len(body) + 7) // 8)
            for start in range(0, len(body), piece):
                self.wfile.write(body[start : start + piece])
                self.wfile.flush()
                time.sleep(0.05)
        else:
            self.wfile.write(body)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--faults")
    parser.add_argument("--log")
    parser.add_argument("--port-file")
    args = parser.parse_args()

    server = Server(("127.0.0.1", 0), Handler)
    server.root = args.root
    server.faults_file = args.faults
    server.log_file = args.log
    server.log_lock = threading.Lock()
    port = server.server_address[1]
    if args.port_file:
        with open(args.port_file + ".tmp", "w") as f:
            f.write("%d\n" % port)
        os.replace(args.port_file + ".tmp", args.port_file)
    print("PORT %d" % port, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    sys.exit(main())
