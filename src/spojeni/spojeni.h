// What a front end may ask of network play: its messages (protokol.h) and the WebSocket
// connections that carry them.
//
// WebSocket connections for network play, without any toolkit: a server that the host of a
// network runs and a client that a headless player or an outside tool uses. Messages are
// whole text frames. Everything runs on the caller's thread: the server does its work only
// inside obsluz, so the host's simulation and its connections never run at once and need no
// locks. The library behind it stays inside this folder's sources.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The messages themselves.
#include "spojeni/protokol.h"

namespace stanovar::spojeni {

struct UdalostServeru {
  enum Druh { Pripojen, Zprava, Odpojen } druh = Zprava;
  int spojeni = 0;   // the connection's number, never reused
  std::string text;  // a message's text; for Odpojen why, when known
};

class Server {
 public:
  Server();
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Listens on the address (IPv4 or IPv6 literal, or "localhost") and port (0: any free
  // one). Empty when it listens, else why not.
  std::string poslouchej(const std::string& adresa, std::uint16_t port);
  std::uint16_t port() const;

  // Does the connections' work for up to `ms` milliseconds, returning as soon as something
  // happened (a connection, a message, a connection lost), with everything that did.
  std::vector<UdalostServeru> obsluz(int ms);

  // Queues a message; it leaves during the next calls of obsluz.
  void posli(int spojeni, std::string text);
  // Bytes queued to a connection and not yet sent: how far behind its reader is.
  std::size_t fronta(int spojeni) const;
  // Closes a connection once what was queued to it has left (at once with `hned`). Its
  // Odpojen is not reported.
  void zavri(int spojeni, bool hned = false);
  // Closes every connection after sending what was queued, waiting at most `ms` for it.
  void zavriVse(int ms);

 private:
  struct Impl;
  std::unique_ptr<Impl> p_;
};

class Klient {
 public:
  Klient();
  ~Klient();
  Klient(const Klient&) = delete;
  Klient& operator=(const Klient&) = delete;

  // Connects to host:port and opens the WebSocket. Empty when open, else why not.
  std::string pripoj(const std::string& host, std::uint16_t port);
  // Sends one message, waiting until it left. Empty when it did, else why not.
  std::string posli(const std::string& text);
  // Waits up to `ms` milliseconds (-1: as long as it takes) for the next message. False on
  // a timeout or when the connection is closed (zavreno then tells).
  bool prijmi(std::string& text, int ms = -1);
  bool zavreno() const;
  // Closes the connection politely, or drops it at once with `hned`, as a lost network would.
  void zavri(bool hned = false);

 private:
  struct Impl;
  std::unique_ptr<Impl> p_;
};

// Splits "[ADDRESS:]PORT" or "HOST:PORT" (an IPv6 address in brackets). False when the port
// is not 0..65535 or the text is not of that shape.
bool RozdelAdresu(const std::string& text, std::string& adresa, std::uint16_t& port);

}  // namespace stanovar::spojeni
