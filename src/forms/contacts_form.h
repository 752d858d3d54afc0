#pragma once
// The contacts window's rules apart from drawing: its captions, the name list of a contact
// type, saving a contact (replace the one of that name and type, or add), the question
// before a delete, and the addresses the e-mail and web fields open.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/texts.h"
#include "stable/adresser.h"

namespace stallora {

inline constexpr Text kCtKontaktregister{"contacts.caption", "Kontaktregister"};
inline constexpr Text kCtKontakttype{"contacts.type", "Kontakttype"};
inline constexpr Text kCtDobbeltklikValg{"contacts.doubleclick", "Dobbeltklik for valg"};
inline constexpr Text kCtNavn{"contacts.name", "Navn"};
inline constexpr Text kCtGaardGate{"contacts.street", "Gård/Gate"};
inline constexpr Text kCtPostnummer{"contacts.postcode", "Postnummer og sted"};
inline constexpr Text kCtLand{"contacts.country", "Land/Stat"};
inline constexpr Text kCtTelefon{"contacts.phone", "Telefon"};
inline constexpr Text kCtMobiltelefon{"contacts.mobile", "Mobiltelefon"};
inline constexpr Text kCtEpost{"contacts.mail", "Epost"};
inline constexpr Text kCtEpostHint{"contacts.mailhint", "Dobbeltklik for at oprette email"};
inline constexpr Text kCtWeb{"contacts.web", "Web-adresse"};
inline constexpr Text kCtWebHint{"contacts.webhint", "Dobbeltklik for at gå til webadressen"};
inline constexpr Text kCtKontaktperson{"contacts.person", "Kontaktperson"};
inline constexpr Text kCtVaelg{"contacts.choose", "Vælg"};
inline constexpr Text kCtKategori{"contacts.category", "Kategori"};
inline constexpr Text kCtNy{"contacts.new", "Ny"};
inline constexpr Text kCtGem{"contacts.save", "Gem"};
inline constexpr Text kCtSlet{"contacts.delete", "Slet"};
inline constexpr Text kCtKontakt{"contacts.contact", "Kontakt"};
inline constexpr Text kCtLuk{"contacts.close", "Luk"};
inline constexpr Text kCtIngenKontakter{"contacts.none", "Ingen kontakter registreret!"};
inline constexpr Text kCtAngivType{"contacts.typemissing", "Du må angi kontakttype!"};
inline constexpr Text kCtDataAendret{"contacts.changed", "Data ændret! Vil du gemme de nye oplysninger"};
inline constexpr Text kCtIkkeValgt{"contacts.notchosen", "Kontakt ikke valgt"};

std::string ChooseCategoryText();    // "Vælg kategori"
std::string NewContactCaption();     // "Ny kontakt"
std::string SaveContactCaption();    // "Gem kontakt"
std::string DeleteContactCaption();  // "Slet kontakt"
// name + ": " + "Data ændret! Vil du gemme de nye oplysninger"
std::string SaveBeforeDeleteQuestion(std::string_view name);
// "Slet" + " " + name
std::string DeleteContactQuestion(std::string_view name);

// The names the list shows for a contact type (all for type 0); `empty` when there is none,
// and the list then shows the single line "Ingen kontakter registreret!".
struct ContactNameList {
  std::vector<std::string> names;
  bool empty = false;
};
ContactNameList ContactNames(const TAdresser& contacts, int32_t kategori);

enum class ContactSaveResult { Nothing, Replaced, Added };
// Saves a contact taken from the controls. An empty name saves nothing. A contact of that
// name and type (any type for 0) is replaced; otherwise the contact is added, also when the
// name is registered under another type only (that contact stays as it is). A record
// without a type that replaces a contact keeps the stored contact's type.
ContactSaveResult SaveContact(TAdresser& contacts, TAdrRec record);

// Whether a delete first asks to save what the controls hold: they hold a name and no
// identical contact is registered.
bool AsksToSaveBeforeDelete(const TAdresser& contacts, const TAdrRec& record);

// The address the e-mail field opens: "mailto:" + the address, or nothing (a beep) for an
// empty address or one that could carry more than one address or extra mail fields.
std::optional<std::string> MailtoAddress(std::string_view email);
// The address the web field opens: "http://" + the text, or the text itself when it starts
// with "http://" or "https://"; nothing for an empty text or one with blanks or control
// characters. At most 1023 characters are passed on.
std::optional<std::string> WebAddress(std::string_view web);

}  // namespace stallora
