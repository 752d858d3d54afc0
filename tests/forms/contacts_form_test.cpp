#include "forms/contacts_form.h"

#include <gtest/gtest.h>

namespace stallora {
namespace {

TAdrRec Contact(std::string name, int32_t type, std::string phone = {}) {
  TAdrRec r;
  r.Navn = std::move(name);
  r.Kategori = type;
  r.Telefon = std::move(phone);
  return r;
}

TEST(ContactsFormCaptions, JoinedFromTheStringTable) {
  EXPECT_EQ(ChooseCategoryText(), "V\xE6lg kategori");
  EXPECT_EQ(NewContactCaption(), "Ny kontakt");
  EXPECT_EQ(SaveContactCaption(), "Gem kontakt");
  EXPECT_EQ(DeleteContactCaption(), "Slet kontakt");
  EXPECT_EQ(SaveBeforeDeleteQuestion("Hansen"), "Hansen: Data \xE6ndret! Vil du gemme de nye oplysninger");
  EXPECT_EQ(DeleteContactQuestion("Hansen"), "Slet Hansen");
  EXPECT_EQ(Tr(kCtIngenKontakter), "Ingen kontakter registreret!");
  EXPECT_EQ(Tr(kCtAngivType), "Du m\xE5 angi kontakttype!");
}

TEST(ContactsFormFilter, TypeZeroListsEveryContact) {
  TAdresser reg;
  reg.AddRecord(Contact("Hansen", 1));
  reg.AddRecord(Contact("Dyrl\xE6ge Berg", 3));
  reg.AddRecord(Contact("Jensen", 1));
  EXPECT_EQ(ContactNames(reg, 0).names, (StringList{"Hansen", "Dyrl\xE6ge Berg", "Jensen"}));
  EXPECT_EQ(ContactNames(reg, 1).names, (StringList{"Hansen", "Jensen"}));
  EXPECT_FALSE(ContactNames(reg, 1).empty);
  EXPECT_TRUE(ContactNames(reg, 4).empty);
  EXPECT_TRUE(ContactNames(TAdresser{}, 0).empty);
}

TEST(ContactsFormSave, ANameAndTypeThatExistAreReplaced) {
  TAdresser reg;
  reg.AddRecord(Contact("Hansen", 1, "111"));
  EXPECT_EQ(SaveContact(reg, Contact("Hansen", 1, "222")), ContactSaveResult::Replaced);
  ASSERT_EQ(reg.AdresseListe.size(), 1u);
  EXPECT_EQ(reg.GetAdresseRecord("Hansen", 1).Telefon, "222");
  EXPECT_EQ(SaveContact(reg, Contact("Jensen", 2)), ContactSaveResult::Added);
  EXPECT_EQ(reg.AdresseListe.size(), 2u);
  EXPECT_EQ(SaveContact(reg, Contact("", 2)), ContactSaveResult::Nothing);
  EXPECT_EQ(reg.AdresseListe.size(), 2u);
}

TEST(ContactsFormSave, ANameUnderAnotherTypeOnlyIsAddedBesideIt) {
  TAdresser reg;
  reg.AddRecord(Contact("Hansen", 1, "111"));
  EXPECT_EQ(SaveContact(reg, Contact("Hansen", 4, "999")), ContactSaveResult::Added);
  ASSERT_EQ(reg.AdresseListe.size(), 2u);
  EXPECT_EQ(reg.GetAdresseRecord("Hansen", 1).Telefon, "111");
  EXPECT_EQ(reg.GetAdresseRecord("Hansen", 4).Telefon, "999");
}

TEST(ContactsFormSave, NoTypeKeepsTheTypeOfTheReplacedContact) {
  TAdresser reg;
  reg.AddRecord(Contact("Hansen", 3, "111"));
  EXPECT_EQ(SaveContact(reg, Contact("Hansen", 0, "222")), ContactSaveResult::Replaced);
  ASSERT_EQ(reg.AdresseListe.size(), 1u);
  EXPECT_EQ(reg.GetAdressatKategori(0), 3);
  EXPECT_EQ(reg.GetAdresseRecord("Hansen", 3).Telefon, "222");
  // A new contact without a type stays without one.
  EXPECT_EQ(SaveContact(reg, Contact("Ny", 0)), ContactSaveResult::Added);
  EXPECT_EQ(reg.GetAdressatKategori(1), 0);
}

TEST(ContactsFormDelete, AnEditedContactIsOfferedForSavingFirst) {
  TAdresser reg;
  reg.AddRecord(Contact("Hansen", 1, "111"));
  EXPECT_FALSE(AsksToSaveBeforeDelete(reg, Contact("Hansen", 1, "111")));
  EXPECT_TRUE(AsksToSaveBeforeDelete(reg, Contact("Hansen", 1, "112")));
  EXPECT_FALSE(AsksToSaveBeforeDelete(reg, Contact("", 1, "112")));
  // The reserve field is not shown, so it does not count as a change.
  TAdrRec reserved = Contact("Hansen", 1, "111");
  reserved.Reserve = "x";
  EXPECT_FALSE(AsksToSaveBeforeDelete(reg, reserved));
}

TEST(ContactsFormLinks, MailAddressesGoOutAloneOrNotAtAll) {
  EXPECT_EQ(MailtoAddress("ida@example.dk"), "mailto:ida@example.dk");
  EXPECT_EQ(MailtoAddress("  ida@example.dk "), "mailto:ida@example.dk");
  EXPECT_EQ(MailtoAddress("MAILTO:ida@example.dk"), "MAILTO:ida@example.dk");
  EXPECT_EQ(MailtoAddress(""), std::nullopt);
  EXPECT_EQ(MailtoAddress("ida@example.dk?attach=/etc/passwd"), std::nullopt);
  EXPECT_EQ(MailtoAddress("ida@example.dk,bo@example.dk"), std::nullopt);
  EXPECT_EQ(MailtoAddress("ida @example.dk"), std::nullopt);
  EXPECT_EQ(MailtoAddress(std::string("ida@ex\nample.dk")), std::nullopt);
  const std::string longAddress(2000, 'a');
  EXPECT_EQ(MailtoAddress(longAddress + "@x.dk")->size(), 1023u);
}

TEST(ContactsFormLinks, WebAddressesGetTheirSchemeOnce) {
  EXPECT_EQ(WebAddress("www.example.dk"), "http://www.example.dk");
  EXPECT_EQ(WebAddress("http://www.example.dk"), "http://www.example.dk");
  EXPECT_EQ(WebAddress("HTTPS://www.example.dk/a"), "HTTPS://www.example.dk/a");
  EXPECT_EQ(WebAddress(" "), std::nullopt);
  EXPECT_EQ(WebAddress("www.example.dk/a b"), std::nullopt);
  EXPECT_EQ(WebAddress(std::string(3000, 'w'))->size(), 1023u);
}

}  // namespace
}  // namespace stallora
