#include "ui/prompts.h"

#include <QPrinter>
#include <QTextDocument>

#include "forms/report_names.h"
#include "ui/qtext.h"

namespace stallora {

Prompts::Answer Prompts::AskOverwrite(const std::string& question) {
  return Ask(Buttons::kYesCancelRetry, question, T(kRnFil));
}

bool Prompts::Print(QTextDocument& document, const QString& jobTitle) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(jobTitle);
  if (!SetupPrinter(printer)) return false;
  document.print(&printer);
  return true;
}

}  // namespace stallora
