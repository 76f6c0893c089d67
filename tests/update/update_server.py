#!/usr/bin/env python3
"""A small HTTP server for the update tests, on 127.0.0.1 only.

usage: update_server.py FOLDER PORT_FILE

Serves the files of FOLDER, picks a free port and writes it to PORT_FILE once it listens.
Besides the files it answers these paths the way a faulty site would:
  /huge   sends bytes without end and without announcing a length
  /loop   redirects to itself
  /stall  reads the request and never answers
Each request's path, user agent and accepted types are appended to FOLDER/requests.log.
"""
import http.server
import os
import sys
import time


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def do_GET(self):
        with open(os.path.join(self.server.folder, "requests.log"), "a") as log:
            log.write("%s\t%s\t%s\n" % (self.path, self.headers.get("User-Agent"),
                                        self.headers.get("Accept")))
        if self.path == "/huge":
            self.send_response(200)
            self.send_header("Connection", "close")
            self.end_headers()
            chunk = b"x" * 65536
            try:
                for _ in range(16 * 1024):  # at most 1 GiB, then give up
                    self.wfile.write(chunk)
            except OSError:
                pass
            self.close_connection = True
            return
        if self.path == "/loop":
            self.send_response(302)
            self.send_header("Location", "/loop")
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if self.path == "/stall":
            time.sleep(3600)
            return
        name = os.path.normpath(self.path.lstrip("/"))
        path = os.path.join(self.server.folder, name)
        if name.startswith("..") or not os.path.isfile(path):
            self.send_error(404)
            return
        with open(path, "rb") as f:
            body = f.read()
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


def main():
    folder, port_file = sys.argv[1], sys.argv[2]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.folder = folder
    with open(port_file + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    os.rename(port_file + ".tmp", port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
