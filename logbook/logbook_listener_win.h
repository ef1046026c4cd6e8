// The loopback listener the browser comes back to after the rower's permission.
#pragma once
#include <winsock2.h>

#include <atomic>
#include <string>

// Listens on 127.0.0.1:port; INVALID_SOCKET when the port is taken. Winsock must be started.
SOCKET OpenCallbackListener(int port);

enum CallbackOutcome { CALLBACK_GOT_CODE, CALLBACK_REFUSED, CALLBACK_TIMED_OUT, CALLBACK_CANCELLED };

// Answers whatever comes to the listener until the browser brings the code with this state,
// or the rower's refusal; anything else gets an error page and the wait goes on. Ends after
// timeOutMs or when cancelled is set, and closes the listener in every case.
CallbackOutcome WaitForCallback(SOCKET listener, const std::string& state, DWORD timeOutMs,
                                const std::atomic<bool>& cancelled, std::string* code);
