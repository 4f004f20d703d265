#!/usr/bin/env python3
"""An RFC 3161 timestamp authority on the loopback, for signing tests that run offline:

    tools/timestamp-responder.py OPENSSL_CONFIG

Answers every POST with what `openssl ts -reply` makes of it under the configuration's [tsa]
section, and prints the port that the system gave it before it serves.
"""
import http.server
import subprocess
import sys


class Reply(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers["Content-Length"]))
        reply = subprocess.run(["openssl", "ts", "-reply", "-config", sys.argv[1],
                                "-queryfile", "/dev/stdin", "-out", "/dev/stdout"],
                               input=query, capture_output=True, check=True).stdout
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Reply)
print(server.server_port, flush=True)
server.serve_forever()
