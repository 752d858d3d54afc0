#pragma once
// The horse's requirement page: the energy system in use and the requirement report, with
// print, copy, store and mail.

#include <QWidget>
#include <string>

class QLabel;

namespace stallora {

class HorseWindow;
class HtmlView;

class HorseRequirementPage : public QWidget {
  Q_OBJECT
 public:
  explicit HorseRequirementPage(HorseWindow& window);

  // The report anew from the record (written beside the horse's files) and shown.
  void ShowReport();

 private:
  void MailReport();

  HorseWindow& window_;
  QLabel* lblEnergySystem_;
  HtmlView* wbRequirements_;
  std::string report_;
};

}  // namespace stallora
