#!/usr/bin/env python3
"""A fake online logbook for the logbook's end-to-end test: checks every request as the
logbook's documentation describes and answers like the logbook.

    fake_logbook.py FOLDER

Writes FOLDER/port (its port on 127.0.0.1), FOLDER/log (one line a request, "PROBLEM ..." for
every request that breaks the rules) and FOLDER/result-ID.json (each accepted result's body).
Ends when FOLDER/stop appears, or after three minutes.

Its script: the code exchange gives access token A1 and refresh token R1; after two accepted
results A1 counts as expired (401), and a refresh must bring R1, for A2 and R2. A result of
1234 m is refused with a message.
"""
import json
import os
import re
import sys
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, HTTPServer

CLIENT_ID, CLIENT_SECRET = "tamsi-test-client", "tamsi-test-secret"
REDIRECT = "http://localhost:47616/callback"
ACCEPT = "application/vnd.c2logbook.v1+json"
folder = sys.argv[1]
state = {"code": None, "refresh": None, "valid": set(), "accepted": 0, "next_id": 81}


def log(line):
    with open(os.path.join(folder, "log"), "a") as f:
        f.write(line + "\n")


class Logbook(BaseHTTPRequestHandler):
    def problem(self, text):
        log("PROBLEM " + self.command + " " + self.path + ": " + text)

    def answer(self, status, body, headers=()):
        data = json.dumps(body).encode() if body is not None else b""
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def log_message(self, *args):
        pass

    def body(self):
        return self.rfile.read(int(self.headers.get("Content-Length", "0"))).decode()

    def bearer(self):
        token = (self.headers.get("Authorization") or "").removeprefix("Bearer ")
        if token not in state["valid"]:
            log("UNAUTHORISED " + token)
            self.answer(401, {"message": "Unauthenticated."})
            return None
        return token

    def do_GET(self):
        url = urllib.parse.urlparse(self.path)
        query = dict(urllib.parse.parse_qsl(url.query))
        log("GET " + url.path)
        if url.path == "/oauth/authorize":
            want = {"client_id": CLIENT_ID, "redirect_uri": REDIRECT, "response_type": "code",
                    "scope": "user:read,results:write"}
            for key, value in want.items():
                if query.get(key) != value:
                    self.problem(key + " is " + repr(query.get(key)))
            if not re.fullmatch("[0-9a-f]{32}", query.get("state", "")):
                self.problem("state " + repr(query.get("state")))
            state["code"] = "code-" + query.get("state", "")[:6]
            # The rower logged in and agreed: back to Tamsi with the code and the same state.
            target = REDIRECT + "?" + urllib.parse.urlencode({"code": state["code"], "state": query.get("state", "")})
            self.answer(302, None, [("Location", target)])
            return
        if url.path == "/test/browser":
            log("BROWSER " + url.query)
            if query != {"wrong_path": "404", "wrong_state": "400", "callback": "200"}:
                self.problem("the listener answered " + url.query)
            self.answer(200, {})
            return
        if self.headers.get("Accept") != ACCEPT:
            self.problem("Accept " + repr(self.headers.get("Accept")))
        if url.path == "/api/users/me" and self.bearer():
            self.answer(200, {"data": {"id": 7, "username": "ann", "first_name": "Ann", "last_name": "Berg"}})
        elif url.path != "/api/users/me":
            self.answer(404, {"message": "Not found."})

    def do_POST(self):
        body = self.body()
        log("POST " + self.path)
        if self.headers.get("Accept") != ACCEPT:
            self.problem("Accept " + repr(self.headers.get("Accept")))
        if self.path == "/oauth/access_token":
            self.token(dict(urllib.parse.parse_qsl(body)))
        elif self.path == "/api/users/me/results":
            self.result(body)
        else:
            self.answer(404, {"message": "Not found."})

    def token(self, form):
        log("TOKEN " + form.get("grant_type", "") + " " + form.get("code", form.get("refresh_token", "")))
        if self.headers.get("Content-Type") != "application/x-www-form-urlencoded":
            self.problem("Content-Type " + repr(self.headers.get("Content-Type")))
        if form.get("client_id") != CLIENT_ID or form.get("client_secret") != CLIENT_SECRET:
            self.problem("client " + repr(form))
        grant = form.get("grant_type")
        if grant == "authorization_code" and form.get("code") == state["code"] and form.get("redirect_uri") == REDIRECT:
            access, refresh = "A1", "R1"
        elif grant == "refresh_token" and form.get("refresh_token") == state["refresh"]:
            access, refresh = "A2", "R2"
        else:
            self.problem("grant " + repr(form))
            self.answer(400, {"error": "invalid_grant", "error_description": "The grant is not valid."})
            return
        state["refresh"] = refresh
        state["valid"].add(access)
        self.answer(200, {"token_type": "Bearer", "expires_in": 3600, "access_token": access, "refresh_token": refresh})

    def result(self, body):
        if self.headers.get("Content-Type") != "application/json":
            self.problem("Content-Type " + repr(self.headers.get("Content-Type")))
        if state["accepted"] == 2:
            state["valid"].discard("A1")  # its hour is up
        if not self.bearer():
            return
        try:
            result = json.loads(body)
        except ValueError:
            self.problem("not JSON: " + body[:80])
            self.answer(400, {"message": "Not JSON."})
            return
        for key, kind in (("type", str), ("date", str), ("distance", int), ("time", int), ("weight_class", str), ("stroke_data", list)):
            if not isinstance(result.get(key), kind):
                self.problem(key + " " + repr(result.get(key)))
        if result.get("type") != "rower" or result.get("weight_class") not in ("H", "L"):
            self.problem("type or weight class " + repr(result.get("type")) + repr(result.get("weight_class")))
        if not re.fullmatch(r"\d{4}-\d\d-\d\d \d\d:\d\d:\d\d", str(result.get("date"))):
            self.problem("date " + repr(result.get("date")))
        for stroke in result.get("stroke_data") or []:
            if sorted(stroke) != ["d", "hr", "p", "spm", "t"] or not all(isinstance(v, int) for v in stroke.values()):
                self.problem("stroke " + repr(stroke))
                break
        if result.get("distance") == 1234:
            self.answer(422, {"message": "The given data was invalid.", "errors": {"distance": ["The distance must be at least 2000."]}})
            return
        number = state["next_id"]
        state["next_id"] += 1
        state["accepted"] += 1
        with open(os.path.join(folder, "result-%d.json" % number), "w") as f:
            f.write(body)
        self.answer(201, {"data": {"id": number, "type": "rower", "distance": result.get("distance")}})


server = HTTPServer(("127.0.0.1", 0), Logbook)
server.timeout = 0.2
with open(os.path.join(folder, "port.part"), "w") as f:
    f.write(str(server.server_address[1]))
os.rename(os.path.join(folder, "port.part"), os.path.join(folder, "port"))
end = time.time() + 180
while time.time() < end and not os.path.exists(os.path.join(folder, "stop")):
    server.handle_request()
