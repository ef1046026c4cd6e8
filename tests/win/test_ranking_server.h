// A ranking server of the tests' own on 127.0.0.1 that keeps every request and answers each
// with 200 OK or 500. Shared by the Windows and the end-to-end tests.
#pragma once
#include <winsock2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TestRankingServer {
public:
    enum Answer { ANSWER_OK, ANSWER_500 };

    explicit TestRankingServer(Answer answer) : answer_(answer) {
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
    // One client at a time: each whole request kept and answered, until the client closes.
    void Serve() {
        while (!stop_) {
            if (!Readable(listener_)) continue;
            SOCKET client = accept(listener_, nullptr, nullptr);
            std::string pending;
            char buffer[4096];
            for (int got = 1; got > 0 && !stop_;) {
                if (!Readable(client)) continue;
                if ((got = recv(client, buffer, sizeof buffer, 0)) > 0) pending.append(buffer, got);
                for (size_t end; (end = pending.find("\r\n\r\n")) != std::string::npos;) {
                    size_t length = end + 4 + atoi(pending.c_str() + pending.find("Length: ") + 8);
                    if (pending.size() < length) break;
                    std::lock_guard<std::mutex> lock(mutex_);
                    requests_.push_back(pending.substr(0, length));
                    pending.erase(0, length);
                    const char* reply = answer_ == ANSWER_500
                                            ? "HTTP/1.1 500 Internal Server Error\r\n\r\n"
                                            : "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nOK";
                    send(client, reply, (int)strlen(reply), 0);
                }
            }
            closesocket(client);
        }
    }

    Answer answer_;
    int port_ = 0;
    SOCKET listener_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> requests_;
};
