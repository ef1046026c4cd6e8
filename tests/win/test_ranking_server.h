// A ranking server of the tests' own on 127.0.0.1 that keeps every request and answers each as
// its script says. Shared by the Windows and the end-to-end tests.
#pragma once
#include <winsock2.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TestRankingServer {
public:
    // One letter a request, the last one for all after it: o 200 OK, c 200 OK and the connection
    // closed, 5 500, t 200 OK with a body trickled a byte every 100 ms, h no answer. Each
    // answer comes delayMs after its request.
    explicit TestRankingServer(const char* script, DWORD delayMs = 0)
        : script_(script), delay_(delayMs) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);  // counted; never cleaned up in a test program
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {AF_INET, 0, {}, {}};
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof address;
        bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        listen(listener_, 4);
        thread_ = std::thread([this] { Serve(); });
    }
    ~TestRankingServer() {
        stop_ = true;
        thread_.join();
        closesocket(listener_);
    }
    std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }
    std::vector<std::string> Requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

private:
    bool Readable(SOCKET s) {
        fd_set set = {1, {s}};
        timeval wait = {0, 100000};
        return !stop_ && select(0, &set, nullptr, nullptr, &wait) == 1;
    }
    // Answers a request as the script says; false when the connection is to end.
    bool Answer(SOCKET client, char answer) {
        for (DWORD start = GetTickCount(); !stop_ && GetTickCount() - start < delay_;) Sleep(50);
        const char* reply = answer == '5'   ? "HTTP/1.1 500 Internal Server Error\r\n\r\n"
                            : answer == 'c' ? "HTTP/1.1 200 OK\r\nConnection: close\r\n"
                                              "Content-Length: 2\r\n\r\nOK"
                            : answer == 't' ? "HTTP/1.1 200 OK\r\nContent-Length: 99999\r\n\r\n"
                            : answer == 'h' ? ""
                                            : "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nOK";
        send(client, reply, (int)strlen(reply), 0);
        while (answer == 't' && !stop_ && send(client, "x", 1, 0) == 1) Sleep(100);
        return answer != 'c' && answer != 't';
    }
    // One client at a time: each whole request kept and answered, until the client closes.
    void Serve() {
        while (!stop_) {
            if (!Readable(listener_)) continue;
            SOCKET client = accept(listener_, nullptr, nullptr);
            std::string pending;
            char buffer[4096];
            for (int got = 1, open = 1; got > 0 && open && !stop_;) {
                if (!Readable(client)) continue;
                if ((got = recv(client, buffer, sizeof buffer, 0)) > 0) pending.append(buffer, got);
                for (size_t end; open && (end = pending.find("\r\n\r\n")) != std::string::npos;) {
                    size_t length = end + 4 + atoi(pending.c_str() + pending.find("Length: ") + 8);
                    if (pending.size() < length) break;
                    size_t number;
                    {
                        std::lock_guard<std::mutex> lock(mutex_);
                        requests_.push_back(pending.substr(0, length));
                        number = requests_.size();
                    }
                    pending.erase(0, length);
                    open = Answer(client, script_[std::min(number, script_.size()) - 1]);
                }
            }
            closesocket(client);
        }
    }

    std::string script_;
    DWORD delay_;
    int port_ = 0;
    SOCKET listener_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> requests_;
};
