#include "spojeni/spojeni.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

#include <charconv>
#include <chrono>
#include <deque>
#include <map>

namespace stanovar::spojeni {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using Hodiny = std::chrono::steady_clock;

namespace {

// Runs ready work until `hotovo` holds or the deadline passes.
template <class F>
void Bez(asio::io_context& io, Hodiny::time_point do_, F hotovo) {
  while (!hotovo()) {
    if (io.stopped()) io.restart();
    if (io.run_one_until(do_) == 0 && Hodiny::now() >= do_) break;
  }
  if (io.stopped()) io.restart();
  io.poll();
}

}  // namespace

// ---- the server ----

struct Server::Impl {
  struct Spojeni : std::enable_shared_from_this<Spojeni> {
    Spojeni(Impl& i, int c, tcp::socket s) : impl(&i), cislo(c), ws(std::move(s)) {}
    Impl* impl;
    int cislo;
    websocket::stream<tcp::socket> ws;
    beast::flat_buffer cteni;
    std::deque<std::string> ven;
    std::size_t bajtu = 0;
    bool pise = false, otevreno = false, zavira = false, konec = false;
  };

  asio::io_context io;
  tcp::acceptor prijimac{io};
  std::map<int, std::shared_ptr<Spojeni>> spojeni;
  std::vector<UdalostServeru> udalosti;
  int posledni = 0;

  void prijimej() {
    prijimac.async_accept([this](beast::error_code ec, tcp::socket s) {
      if (ec) {
        if (ec != asio::error::operation_aborted) prijimej();
        return;
      }
      s.set_option(tcp::no_delay(true), ec);
      auto c = std::make_shared<Spojeni>(*this, ++posledni, std::move(s));
      spojeni[c->cislo] = c;
      c->ws.read_message_max(MaxZpravyHostiteli);
      c->ws.set_option(websocket::stream_base::timeout::suggested(beast::role_type::server));
      c->ws.async_accept([this, c](beast::error_code e) {
        if (e) {
          spojeni.erase(c->cislo);
          return;
        }
        c->otevreno = true;
        c->ws.text(true);
        udalosti.push_back({UdalostServeru::Pripojen, c->cislo, {}});
        cti(c);
        pis(c);
      });
      prijimej();
    });
  }

  void ztraceno(const std::shared_ptr<Spojeni>& c, const std::string& proc) {
    if (c->konec) return;
    c->konec = true;
    if (!c->zavira) udalosti.push_back({UdalostServeru::Odpojen, c->cislo, proc});
    beast::error_code ec;
    c->ws.next_layer().close(ec);
    spojeni.erase(c->cislo);
  }

  void cti(const std::shared_ptr<Spojeni>& c) {
    c->ws.async_read(c->cteni, [this, c](beast::error_code ec, std::size_t) {
      if (ec) {
        ztraceno(c, ec == websocket::error::message_too_big ? "message too large" : ec.message());
        return;
      }
      if (!c->zavira)
        udalosti.push_back({UdalostServeru::Zprava, c->cislo, beast::buffers_to_string(c->cteni.data())});
      c->cteni.consume(c->cteni.size());
      cti(c);
    });
  }

  void pis(const std::shared_ptr<Spojeni>& c) {
    if (c->pise || !c->otevreno || c->konec) return;
    if (c->ven.empty()) {
      if (c->zavira) {
        c->pise = true;
        c->ws.async_close(websocket::close_code::normal, [this, c](beast::error_code) {
          c->pise = false;
          ztraceno(c, "closed");
        });
      }
      return;
    }
    c->pise = true;
    c->ws.async_write(asio::buffer(c->ven.front()), [this, c](beast::error_code ec, std::size_t) {
      c->pise = false;
      if (ec) {
        ztraceno(c, ec.message());
        return;
      }
      c->bajtu -= c->ven.front().size();
      c->ven.pop_front();
      pis(c);
    });
  }
};

Server::Server() : p_(std::make_unique<Impl>()) {}
Server::~Server() {
  beast::error_code ec;
  p_->prijimac.close(ec);
  for (auto& [n, c] : p_->spojeni) c->ws.next_layer().close(ec);
}

std::string Server::poslouchej(const std::string& adresa, std::uint16_t port) {
  beast::error_code ec;
  tcp::resolver r(p_->io);
  const auto kde = r.resolve(adresa, std::to_string(port), tcp::resolver::numeric_service, ec);
  if (ec || kde.empty()) return "cannot resolve " + adresa + ": " + ec.message();
  const tcp::endpoint e = *kde.begin();
  p_->prijimac.open(e.protocol(), ec);
  if (!ec) p_->prijimac.set_option(asio::socket_base::reuse_address(true), ec);
  if (!ec) p_->prijimac.bind(e, ec);
  if (!ec) p_->prijimac.listen(asio::socket_base::max_listen_connections, ec);
  if (ec) return "cannot listen on " + adresa + ":" + std::to_string(port) + ": " + ec.message();
  p_->prijimej();
  return {};
}

std::uint16_t Server::port() const {
  beast::error_code ec;
  return p_->prijimac.local_endpoint(ec).port();
}

std::vector<UdalostServeru> Server::obsluz(int ms) {
  Bez(p_->io, Hodiny::now() + std::chrono::milliseconds(std::max(ms, 0)),
      [this] { return !p_->udalosti.empty(); });
  std::vector<UdalostServeru> v;
  v.swap(p_->udalosti);
  return v;
}

void Server::posli(int spojeni, std::string text) {
  auto it = p_->spojeni.find(spojeni);
  if (it == p_->spojeni.end() || it->second->zavira) return;
  it->second->bajtu += text.size();
  it->second->ven.push_back(std::move(text));
  p_->pis(it->second);
}

std::size_t Server::fronta(int spojeni) const {
  auto it = p_->spojeni.find(spojeni);
  return it == p_->spojeni.end() ? 0 : it->second->bajtu;
}

void Server::zavri(int spojeni, bool hned) {
  auto it = p_->spojeni.find(spojeni);
  if (it == p_->spojeni.end()) return;
  auto c = it->second;
  c->zavira = true;
  if (hned || !c->otevreno) {
    p_->ztraceno(c, "closed");
    return;
  }
  p_->pis(c);
}

void Server::zavriVse(int ms) {
  std::vector<int> vsechna;
  for (auto& [n, c] : p_->spojeni) vsechna.push_back(n);
  for (int n : vsechna) zavri(n);
  Bez(p_->io, Hodiny::now() + std::chrono::milliseconds(ms), [this] { return p_->spojeni.empty(); });
  for (auto& [n, c] : std::map(p_->spojeni)) zavri(n, true);
  beast::error_code ec;
  p_->prijimac.close(ec);
}

// ---- the client ----

struct Klient::Impl {
  asio::io_context io;
  websocket::stream<tcp::socket> ws{io};
  beast::flat_buffer cteni;
  bool cte = false, precteno = false, zavreno = true;
  std::string prectene;

  void ctiDal() {
    if (cte || zavreno) return;
    cte = true;
    ws.async_read(cteni, [this](beast::error_code ec, std::size_t) {
      cte = false;
      if (ec) {
        zavreno = true;
        return;
      }
      prectene = beast::buffers_to_string(cteni.data());
      cteni.consume(cteni.size());
      precteno = true;
    });
  }
};

Klient::Klient() : p_(std::make_unique<Impl>()) {}
Klient::~Klient() { zavri(true); }

std::string Klient::pripoj(const std::string& host, std::uint16_t port) {
  // A stream once closed is not opened again: each connection starts afresh.
  zavri(true);
  p_ = std::make_unique<Impl>();
  beast::error_code ec;
  tcp::resolver r(p_->io);
  const auto kde = r.resolve(host, std::to_string(port), ec);
  if (ec) return "cannot resolve " + host + ": " + ec.message();
  asio::connect(p_->ws.next_layer(), kde, ec);
  if (ec) return "cannot connect to " + host + ":" + std::to_string(port) + ": " + ec.message();
  p_->ws.next_layer().set_option(tcp::no_delay(true), ec);
  p_->ws.read_message_max(MaxZpravyKlienta);
  p_->ws.handshake(host + ":" + std::to_string(port), "/", ec);
  if (ec) return "the WebSocket handshake failed: " + ec.message();
  p_->ws.text(true);
  p_->zavreno = false;
  return {};
}

std::string Klient::posli(const std::string& text) {
  if (p_->zavreno) return "the connection is closed";
  bool hotovo = false;
  beast::error_code chyba;
  p_->ws.async_write(asio::buffer(text), [&](beast::error_code ec, std::size_t) {
    chyba = ec;
    hotovo = true;
  });
  Bez(p_->io, Hodiny::time_point::max(), [&] { return hotovo; });
  if (chyba) {
    p_->zavreno = true;
    return chyba.message();
  }
  return {};
}

bool Klient::prijmi(std::string& text, int ms) {
  p_->ctiDal();
  const auto do_ = ms < 0 ? Hodiny::time_point::max() : Hodiny::now() + std::chrono::milliseconds(ms);
  Bez(p_->io, do_, [this] { return p_->precteno || (p_->zavreno && !p_->cte); });
  if (!p_->precteno) return false;
  p_->precteno = false;
  text = std::move(p_->prectene);
  return true;
}

bool Klient::zavreno() const { return p_->zavreno && !p_->precteno; }

void Klient::zavri(bool hned) {
  if (!p_->ws.next_layer().is_open()) return;
  beast::error_code ec;
  if (!hned && !p_->zavreno) {
    bool hotovo = false;
    p_->ws.async_close(websocket::close_code::normal, [&](beast::error_code) { hotovo = true; });
    Bez(p_->io, Hodiny::now() + std::chrono::seconds(2), [&] { return hotovo; });
  }
  p_->ws.next_layer().close(ec);
  p_->zavreno = true;
  // Whatever was waiting ends with the socket.
  p_->io.restart();
  p_->io.poll();
}

bool RozdelAdresu(const std::string& text, std::string& adresa, std::uint16_t& port) {
  std::string a, p = text;
  if (!text.empty() && text.front() == '[') {
    const auto z = text.find("]:");
    if (z == std::string::npos) return false;
    a = text.substr(1, z - 1);
    p = text.substr(z + 2);
  } else if (const auto d = text.rfind(':'); d != std::string::npos) {
    a = text.substr(0, d);
    p = text.substr(d + 1);
    if (a.find(':') != std::string::npos) return false;
  }
  unsigned v = 0;
  const auto [kon, ec] = std::from_chars(p.data(), p.data() + p.size(), v);
  if (ec != std::errc() || kon != p.data() + p.size() || p.empty() || v > 65535) return false;
  if (!a.empty()) adresa = a;
  port = static_cast<std::uint16_t>(v);
  return true;
}

}  // namespace stanovar::spojeni
