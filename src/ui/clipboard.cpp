#include "ui/clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "core/textutil.h"
#include "render/qttext.h"

namespace stallora {

void CopyHtmlToClipboard(const std::string& cp1252Html) {
  const std::string escaped = EscapeNationalLetters(cp1252Html);
  const std::string block = HtmlClipboardBlock(escaped);
  auto* data = new QMimeData;
  data->setData(QStringLiteral("HTML Format"), QByteArray(block.data(), static_cast<qsizetype>(block.size())));
  data->setHtml(Q(escaped));
  data->setText(Q(escaped));
  QApplication::clipboard()->setMimeData(data);
}

}  // namespace stallora
