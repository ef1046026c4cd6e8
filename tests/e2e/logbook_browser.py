#!/usr/bin/env python3
"""The rower's browser in the logbook's end-to-end test (Wine's browser points here): first
tries Tamsi's listener with a wrong path and a wrong state, then follows the authorise address,
whose page sends it on to Tamsi's callback, and tells the fake logbook what each answer was."""
import sys
import urllib.error
import urllib.parse
import urllib.request

url = sys.argv[-1]
opener = urllib.request.build_opener(urllib.request.ProxyHandler({}))


def status(address):
    try:
        return opener.open(address, timeout=20).status
    except urllib.error.HTTPError as error:
        return error.code
    except OSError as error:
        return str(error)


redirect = dict(urllib.parse.parse_qsl(urllib.parse.urlparse(url).query))["redirect_uri"]
seen = {"wrong_path": status(redirect.replace("/callback", "/favicon.ico")),
        "wrong_state": status(redirect + "?code=stolen&state=" + "0" * 32),
        "callback": status(url)}
status(url.split("/oauth/")[0] + "/test/browser?" + urllib.parse.urlencode(seen))
