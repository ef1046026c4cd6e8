// A ranking server of the tests' own on 127.0.0.1: it keeps every request it receives and
// answers each the way the test asks. Shared by the Windows and the end-to-end tests.
#pragma once
#include <winsock2.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TestRankingServer {
public:
    enum Answer { ANSWER_OK, ANSWER_500, ANSWER_CLOSE, ANSWER_NEVER, ANSWER_FIRST_ONLY };

    explicit TestRankingServer(Answer answer) : answer_(answer) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        int length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        listen(listener_, 4);
        thread_ = std::thread([this] { Serve(); });
    }
    ~TestRankingServer() {
        stop_ = true;
        thread_.join();
        closesocket(listener_);
        WSACleanup();
    }

    // A loopback port that nobody listens on (it was free a moment ago).
    static int UnusedPort() {
        SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
        int length = sizeof address;
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
        closesocket(probe);
        return ntohs(address.sin_port);
    }

    // "127.0.0.1:port", the value of TAMSI_RANKING_SERVER that reaches this server.
    std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }
    int Port() const { return port_; }
    std::vector<std::string> Requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }
    int Connections() const { return connections_; }

private:
    // Waits up to 100 ms for the socket to become readable.
    static bool Readable(SOCKET s) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(s, &set);
        timeval wait = {0, 100000};
        return select(0, &set, nullptr, nullptr, &wait) == 1;
    }

    void Serve() {
        while (!stop_) {
            if (!Readable(listener_)) continue;
            SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) continue;
            connections_++;
            Converse(client);
            closesocket(client);
        }
    }

    // Reads requests until the client closes, answering each as asked. A server that stops
    // answering shuts its sending side and still drains, so the client sees a clean close.
    void Converse(SOCKET client) {
        std::string pending;
        bool answering = true;
        int count = 0;
        char buffer[4096];
        while (!stop_) {
            if (!Readable(client)) continue;
            const int got = recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) return;
            pending.append(buffer, got);
            std::string request;
            while (TakeRequest(&pending, &request)) {
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    requests_.push_back(request);
                }
                if (!answering) continue;
                const bool first = count++ == 0;
                if (answer_ == ANSWER_OK || (answer_ == ANSWER_FIRST_ONLY && first)) {
                    Reply(client, "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nOK");
                } else if (answer_ == ANSWER_500) {
                    Reply(client, "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\n\r\n");
                }
                if (answer_ == ANSWER_CLOSE || answer_ == ANSWER_FIRST_ONLY) {
                    shutdown(client, SD_SEND);
                    answering = false;
                }
            }
        }
    }

    static void Reply(SOCKET client, const char* text) { send(client, text, (int)strlen(text), 0); }

    // Cuts one whole request (header block and its Content-Length of body) off pending.
    static bool TakeRequest(std::string* pending, std::string* request) {
        const size_t end = pending->find("\r\n\r\n");
        if (end == std::string::npos) return false;
        size_t bodyLength = 0;
        const size_t field = pending->find("Content-Length: ");
        if (field != std::string::npos && field < end) bodyLength = atoi(pending->c_str() + field + 16);
        const size_t total = end + 4 + bodyLength;
        if (pending->size() < total) return false;
        *request = pending->substr(0, total);
        pending->erase(0, total);
        return true;
    }

    Answer answer_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::mutex mutex_;
    std::vector<std::string> requests_;
};
