#include "forms/contacts_form.h"

#include "core/textutil.h"

namespace stallora {
namespace {

constexpr size_t kMaxAddressLength = 1023;

std::string Lower(const Text& t) { return FirstLetterLower(Tr(t)); }

bool StartsWithNoCase(std::string_view text, std::string_view head) {
  return text.size() >= head.size() && SameText(text.substr(0, head.size()), head);
}

// The opener hands the address to other programs: only addresses that say what they are
// (a mail or web address) go through, cut to the length the system's handlers take.
std::optional<std::string> PassOn(std::string address) {
  const std::string upper = UpperCase(address);
  if (upper.find("MAILTO:") == std::string::npos && upper.find("HTTP:") == std::string::npos &&
      upper.find("HTTPS:") == std::string::npos)
    return std::nullopt;
  if (address.size() > kMaxAddressLength) address.resize(kMaxAddressLength);
  return address;
}

bool HasBlankOrControl(std::string_view text) {
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= ' ' || u == 127) return true;
  }
  return false;
}

}  // namespace

std::string ChooseCategoryText() { return Tr(kCtVaelg) + " " + Lower(kCtKategori); }
std::string NewContactCaption() { return Tr(kCtNy) + " " + Lower(kCtKontakt); }
std::string SaveContactCaption() { return Tr(kCtGem) + " " + Lower(kCtKontakt); }
std::string DeleteContactCaption() { return Tr(kCtSlet) + " " + Lower(kCtKontakt); }

std::string SaveBeforeDeleteQuestion(std::string_view name) { return std::string(name) + ": " + Tr(kCtDataAendret); }

std::string DeleteContactQuestion(std::string_view name) { return Tr(kCtSlet) + " " + std::string(name); }

ContactNameList ContactNames(const TAdresser& contacts, int32_t kategori) {
  ContactNameList list;
  list.names = contacts.SelectedNameList(kategori);
  list.empty = list.names.empty();
  return list;
}

ContactSaveResult SaveContact(TAdresser& contacts, TAdrRec record) {
  if (record.Navn.empty()) return ContactSaveResult::Nothing;
  const int index = contacts.GetAdresseNr(record.Navn, record.Kategori);
  if (index >= 0) {
    // "No type chosen" must not wipe the type of the contact it replaces.
    if (record.Kategori == 0) record.Kategori = contacts.GetAdressatKategori(index);
    contacts.UpdateRecord(index, record);
    return ContactSaveResult::Replaced;
  }
  contacts.AddRecord(record);
  return ContactSaveResult::Added;
}

bool AsksToSaveBeforeDelete(const TAdresser& contacts, const TAdrRec& record) {
  if (record.Navn.empty()) return false;
  int index = -1;
  return !contacts.DuplicateExists(record, index);
}

std::optional<std::string> MailtoAddress(std::string_view email) {
  const std::string address = Trim(email);
  if (address.empty() || HasBlankOrControl(address)) return std::nullopt;
  // "?", "&", "," and ";" would add recipients or fields (an attachment, a body) that the
  // user did not type into the mail address.
  for (char c : address)
    if (c == '?' || c == '&' || c == ',' || c == ';' || c == '%' || c == '#') return std::nullopt;
  if (StartsWithNoCase(address, "mailto:")) return PassOn(address);
  return PassOn("mailto:" + address);
}

std::optional<std::string> WebAddress(std::string_view web) {
  const std::string text = Trim(web);
  if (text.empty() || HasBlankOrControl(text)) return std::nullopt;
  if (StartsWithNoCase(text, "http://") || StartsWithNoCase(text, "https://")) return PassOn(text);
  return PassOn("http://" + text);
}

}  // namespace stallora
