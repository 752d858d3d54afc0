#include "ui/appwindows.h"

#include "ui/contactswindow.h"
#include "ui/horseyoungdialog.h"
#include "ui/mailwindow.h"
#include "ui/mainwindow.h"
#include "ui/smalldialogs.h"

namespace stallora {
namespace {

template <class D>
D& Made(QPointer<D>& slot, QWidget* owner) {
  if (!slot) slot = new D(owner ? owner->window() : nullptr);
  return *slot;
}

}  // namespace

AppWindows::AppWindows(MainWindow* main, QWidget* owner, const Clock* clock, const Regional* regional)
    : main_(main), owner_(owner), clock_(clock), regional_(regional) {}

// The dialogs are children of the owner and go with it.
AppWindows::~AppWindows() = default;

PictureDialog& AppWindows::Picture() { return Made(picture_, owner_); }
MemoDialog& AppWindows::Memo() { return Made(memo_, owner_); }
TextDialog& AppWindows::TextEntry() { return Made(text_, owner_); }

YoungHorseDialog& AppWindows::YoungHorse() {
  if (!young_) young_ = new YoungHorseDialog(clock_, regional_, owner_ ? owner_->window() : nullptr);
  return *young_;
}

ContactsWindow& AppWindows::Contacts() {
  Q_ASSERT(main_);
  if (!contacts_) contacts_ = new ContactsWindow(*main_);
  return *contacts_;
}

MailWindow& AppWindows::Mail() {
  Q_ASSERT(main_);
  if (!mail_) mail_ = new MailWindow(*main_);
  return *mail_;
}

MailWindow* AppWindows::ExistingMail() const { return mail_.data(); }
ContactsWindow* AppWindows::ExistingContacts() const { return contacts_.data(); }

}  // namespace stallora
