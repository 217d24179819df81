// The shift reader: any bytes are refused or read, never a crash; the running state is the
// same after a refusal; and what it reads saves again to the same text. The input is tried
// as it is, and once more with its station files pointed at the demo station and its
// checksum made right, so that the fuzzer reaches the reading of the state itself.
#include <nlohmann/json.hpp>

#include <string>

#include "control/dispecer.h"
#include "control/jednoduchy.h"
#include "control/nahodny.h"
#include "files/cteni.h"
#include "fuzz/spolecne.h"
#include "traffic/kontrola.h"
#include "smena/smena.h"
#include "traffic/virtualni.h"

using namespace stanovar;
using json = nlohmann::json;

namespace {

// The input with the demo station's files and a checksum that fits; empty when it is no
// JSON object with a state.
std::string Opraveno(std::string_view vstup) {
  json j = json::parse(vstup.begin(), vstup.end(), nullptr, false);
  if (j.is_discarded() || !j.is_object() || !j.contains("stav") || !j["stav"].is_object())
    return {};
  static const std::pair<const char*, std::string> soubory[] = {
      {"schema", STANOVAR_DATA_DIR "/demo.yrd"},
      {"grafikon", STANOVAR_DATA_DIR "/demo.gvd"},
      {"lokomotivy", STANOVAR_DATA_DIR "/demo.lok"}};
  json& stav = j["stav"];
  for (const auto& [klic, cesta] : soubory) {
    std::string obsah;
    CtiSoubor(cesta, obsah);
    stav["soubory"][klic] = {{"cesta", cesta}, {"otisk", Otisk(obsah)}};
  }
  stav["soubory"]["jazyk"] = {{"cesta", ""}};
  j["kontrolniSoucet"] = Otisk(stav.dump(-1, ' ', false, json::error_handler_t::replace));
  return KanonickyText(j);
}

void Zkus(std::string_view text) {
  fuzz::Svet w;
  Stav& s = w.stav;
  // Every part a headless run saves.
  AutomatickyDispecer dispecer;
  JednoduchyDispecer jednoduchy;
  NahodnyDispecer nahodny(1);
  KontrolaStavu kontrola;
  VirtualniProstredi hodiny;
  json doplnek = json::object();
  CastiBehu nic{&dispecer, &jednoduchy, &nahodny, &kontrola, &hodiny, &doplnek};
  std::string pred, po;
  UlozSmenuDoTextu(s, nic, pred);
  if (!NactiSmenuZTextu(s, nic, text)) {
    UlozSmenuDoTextu(s, nic, po);
    fuzz::Over(po == pred, "state unchanged after a refusal");
    return;
  }
  UlozSmenuDoTextu(s, nic, pred);
  fuzz::Over(static_cast<bool>(NactiSmenuZTextu(s, nic, pred)), "a save read reads again");
  UlozSmenuDoTextu(s, nic, po);
  fuzz::Over(po == pred, "save, open, save gives the same text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view vstup = fuzz::Text(data, size);
  Zkus(vstup);
  if (const std::string opraveny = Opraveno(vstup); !opraveny.empty()) Zkus(opraveny);
  return 0;
}
