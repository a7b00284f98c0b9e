#!/usr/bin/env python3
"""Servers on 127.0.0.1 for the update tests, each on a free port.

  local_servers.py http  ROOT PORTFILE LOGFILE   serves ROOT, one requested path per line in LOGFILE
  local_servers.py stall PORTFILE                answers with headers and 10 bytes, then sends nothing
  local_servers.py ftp   ROOT PORTFILE USER PASSWORD
  local_servers.py redirect PORTFILE TARGET      answers every GET with a redirect to TARGET

The port is written to PORTFILE once the server listens. Every server ends by itself after
LIFETIME seconds (environment, default 120), so that a test that dies leaves nothing running.
"""
import functools
import http.server
import os
import socket
import sys
import threading
import time


def write_port(path, port):
    tmp = path + ".tmp"
    with open(tmp, "w") as f:
        f.write(str(port))
    os.replace(tmp, path)


def end_after_lifetime():
    lifetime = float(os.environ.get("LIFETIME", "120"))
    timer = threading.Timer(lifetime, lambda: os._exit(0))
    timer.daemon = True
    timer.start()


def serve_http(root, port_file, log_file):
    class Handler(http.server.SimpleHTTPRequestHandler):
        def log_message(self, fmt, *args):
            pass

        def do_GET(self):
            with open(log_file, "a") as log:
                log.write(self.path + "\n")
            super().do_GET()

    handler = functools.partial(Handler, directory=root)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    write_port(port_file, server.server_address[1])
    server.serve_forever()


def serve_redirect(port_file, target):
    class Handler(http.server.BaseHTTPRequestHandler):
        def log_message(self, fmt, *args):
            pass

        def do_GET(self):
            self.send_response(302)
            self.send_header("Location", target)
            self.send_header("Content-Length", "0")
            self.end_headers()

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    write_port(port_file, server.server_address[1])
    server.serve_forever()


def serve_stall(port_file):
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    write_port(port_file, listener.getsockname()[1])
    held = []
    while True:
        conn, _ = listener.accept()
        conn.recv(65536)
        conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + b"0123456789")
        held.append(conn)  # kept open, never another byte


def serve_ftp(root, port_file, user, password):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer
    import logging

    logging.basicConfig(level=logging.ERROR)
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elr")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.auth_failed_timeout = 0.1  # a refused login answers at once
    server = FTPServer(("127.0.0.1", 0), handler)
    write_port(port_file, server.address[1])
    server.serve_forever()


def main():
    end_after_lifetime()
    mode = sys.argv[1]
    if mode == "http":
        serve_http(sys.argv[2], sys.argv[3], sys.argv[4])
    elif mode == "stall":
        serve_stall(sys.argv[2])
    elif mode == "redirect":
        serve_redirect(sys.argv[2], sys.argv[3])
    elif mode == "ftp":
        serve_ftp(sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5])
    else:
        sys.exit("unknown mode " + mode)


if __name__ == "__main__":
    main()
