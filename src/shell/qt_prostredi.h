// The outside world of the core as the desktop gives it.
#pragma once

#include <QWidget>
#include <functional>

#include "model/prostredi.h"

namespace stanovar::shell {

class QtProstredi : public Prostredi {
 public:
  explicit QtProstredi(QWidget* rodic = nullptr) : rodic_(rodic) {}
  void nastavRodice(QWidget* rodic) { rodic_ = rodic; }

  double casDne() override;
  std::uint32_t msOdPulnoci() override;
  void zprava(const std::string& text) override;
  void otevriDokument(const std::string& cesta) override;
  int dpi() override;
  void zpravaOSouboru(const std::string& pred, const std::string& jmeno,
                      const std::string& po) override;

  // Tests replace the modal box so that nothing waits for a click.
  std::function<void(const QString&)> zobrazZpravu;

 private:
  void ukaz(const QString& text);
  QWidget* rodic_;
};

}  // namespace stanovar::shell
