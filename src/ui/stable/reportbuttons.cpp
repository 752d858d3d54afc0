#include "ui/stable/reportbuttons.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "forms/stable_texts.h"
#include "render/qttext.h"
#include "ui/clipboard.h"
#include "ui/htmlview.h"
#include "ui/icons.h"
#include "ui/qtext.h"
#include "ui/stable/stablewindow.h"

namespace stallora {

using namespace stabletext;

StableReportButtons::StableReportButtons(StableWindow& window, const QString& suffix, HtmlView& view,
                                         std::function<int()> kind, QWidget* parent)
    : QWidget(parent), window_(window), view_(view), kind_(std::move(kind)) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  auto button = [&](const char* name, IconKind icon, const QString& text, const QString& hint) {
    auto* b = new QPushButton(Icon(icon), text, this);
    b->setObjectName(QString::fromLatin1(name) + "_" + suffix);
    b->setToolTip(hint);
    row->addWidget(b);
    return b;
  };
  auto* print = button("btnPrint", IconKind::Print, T(kUdskrift), T(kUdskrift));
  auto* copy = button("btnClipCopy", IconKind::Forward, T(common::kKopier), T(kKopierHint));
  auto* store = button("btnStore", IconKind::Save, T(kGem), T(kGem) + " " + TLower(kFil));
  auto* mail = button("btnEmail", IconKind::Mail, T(kEpost), T(kEpost));
  row->addStretch();
  auto live = [this](void (StableReportButtons::*f)()) {
    return [this, f] {
      if (!window_.Dead()) (this->*f)();
    };
  };
  connect(print, &QPushButton::clicked, this, live(&StableReportButtons::Print));
  connect(copy, &QPushButton::clicked, this, live(&StableReportButtons::Copy));
  connect(store, &QPushButton::clicked, this, live(&StableReportButtons::Store));
  connect(mail, &QPushButton::clicked, this, live(&StableReportButtons::Mail));
}

void StableReportButtons::Print() {
  if (view_.document()->isEmpty()) return;
  window_.Ask().Print(*view_.document(), Q(window_.Stable().stallNavn));
}

void StableReportButtons::Copy() { CopyHtmlToClipboard(window_.Editor().OutputHtml(kind_())); }

void StableReportButtons::Store() {
  StableEditor& e = window_.Editor();
  const int kind = kind_();
  const StoreDialog d = e.StoreDialogFor(kind);
  const QString chosen = window_.Ask().SaveFileName(Q(d.title), Q(PathText(d.proposed)), Q(d.filter));
  if (chosen.isEmpty()) return;
  const auto [target, question] = e.StoreTarget(PathFromText(L(chosen)));
  if (!question.empty() && !window_.Ask().YesNo(question)) return;
  window_.Tell(e.Store(kind, target));
}

void StableReportButtons::Mail() { window_.Ask().Mail({}, window_.Editor().MailAttachments(kind_())); }

}  // namespace stallora
