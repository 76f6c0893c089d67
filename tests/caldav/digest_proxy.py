#!/usr/bin/python3
"""A front for a CalDAV server that takes HTTP Digest authentication only (RFC 7616 with MD5 and
qop=auth, as many servers ask), for the sync tests: it checks each request's Digest answer and
passes the request on to the real server with Basic.

    digest_proxy.py UPSTREAM USER PASSWORD PORT_FILE

It listens on 127.0.0.1 on a free port and writes the port to PORT_FILE. Requests that came
with Basic credentials are counted in PORT_FILE + ".basic" (one line each).
"""
import base64
import hashlib
import http.client
import http.server
import os
import secrets
import sys
import urllib.parse
import urllib.request

REALM = "nimbus-test"


def md5(text):
    return hashlib.md5(text.encode()).hexdigest()


def digest_fields(header):
    fields = {}
    for part in urllib.request.parse_http_list(header[len("Digest "):]):
        name, _, value = part.strip().partition("=")
        fields[name.lower()] = value.strip('"')
    return fields


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def __getattr__(self, name):
        if name.startswith("do_"):
            return self.handle_any
        raise AttributeError(name)

    def authorised(self):
        header = self.headers.get("Authorization", "")
        if header.startswith("Basic "):
            with open(self.server.basic_file, "a", encoding="utf-8") as f:
                f.write(self.command + " " + self.path + "\n")
            return False
        if not header.startswith("Digest "):
            return False
        f = digest_fields(header)
        if f.get("username") != self.server.user or f.get("realm") != REALM:
            return False
        ha1 = md5(f"{self.server.user}:{REALM}:{self.server.password}")
        ha2 = md5(f"{self.command}:{f.get('uri', '')}")
        expected = md5(f"{ha1}:{f.get('nonce', '')}:{f.get('nc', '')}:{f.get('cnonce', '')}:auth:{ha2}")
        return secrets.compare_digest(expected, f.get("response", ""))

    def handle_any(self):
        length = int(self.headers.get("Content-Length", "0") or 0)
        body = self.rfile.read(length) if length else b""
        if not self.authorised():
            nonce = secrets.token_hex(16)
            challenge = f'Digest realm="{REALM}", nonce="{nonce}", qop="auth", algorithm=MD5'
            self.send_response(401)
            self.send_header("WWW-Authenticate", challenge)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        upstream = urllib.parse.urlsplit(self.server.upstream)
        connection = http.client.HTTPConnection(upstream.hostname, upstream.port, timeout=60)
        headers = {k: v for k, v in self.headers.items() if k.lower() not in ("authorization", "host", "connection")}
        token = base64.b64encode(f"{self.server.user}:{self.server.password}".encode()).decode()
        headers["Authorization"] = "Basic " + token
        connection.request(self.command, self.path, body=body, headers=headers)
        answer = connection.getresponse()
        data = answer.read()
        self.send_response(answer.status)
        for name, value in answer.getheaders():
            if name.lower() not in ("transfer-encoding", "connection", "content-length"):
                self.send_header(name, value)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)
        connection.close()


def main(argv):
    upstream, user, password, port_file = argv
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.upstream, server.user, server.password = upstream, user, password
    server.basic_file = port_file + ".basic"
    open(server.basic_file, "w", encoding="utf-8").close()
    with open(port_file + ".tmp", "w", encoding="utf-8") as f:
        f.write(str(server.server_address[1]))
    os.replace(port_file + ".tmp", port_file)
    server.serve_forever()


if __name__ == "__main__":
    main(sys.argv[1:])
