// The information page's handlers: each applies one of the horse form's rules to the horse
// and ends in one commit of the window's editor (several steps of one user action inside a
// Batch). What the commit changed is repainted from its flags (HorseInformationPage::Repaint).

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "core/fileio.h"
#include "core/textutil.h"
#include "forms/horse_form.h"
#include "render/pictures.h"
#include "render/qttext.h"
#include "ui/appwindows.h"
#include "ui/horse/informationpage.h"
#include "ui/horse/pagehelpers.h"
#include "ui/horsetexts.h"
#include "ui/horsewindow.h"
#include "ui/widgets/dates.h"

namespace stallora {

using namespace horsetext;

// ---------------------------------------------------------------- name and owner

void HorseInformationPage::NameEdited(const QString& typed) {
  THest& h = Horse();
  std::vector<std::string> others;
  if (h.stable) {
    for (const auto& other : h.stable->Horses())
      if (other.get() != &h) others.push_back(other->Navn);
    // A name taken only on disk (a horse file the scan could not read) is taken too.
    const std::string wanted = Trim(L(typed));
    if (wanted != h.Navn && h.stable->HorseNameTaken(wanted, &h)) others.push_back(wanted);
  }
  const NameCheck check = CheckHorseName(L(typed), others);
  if (check.text != L(typed)) {
    const int cursor = eNavn_->cursorPosition();
    eNavn_->setText(Q(check.text));
    eNavn_->setCursorPosition(cursor);
  }
  // What the check only corrects (a point made a hyphen) is said beside the field while
  // the user types on; a box would swallow the next keystroke.
  for (const std::string& m : check.messages)
    if (check.keepFocus)
      window_.Ask().Inform(m);
    else
      window_.Ask().Notice(m, eNavn_);
  if (check.keepFocus) KeepFocus(eNavn_);
  window_.RenameCaption(Trim(check.text));
}

void HorseInformationPage::NameLeft() {
  NameEdited(eNavn_->text());
  ApplyName();
}

// The typed name becomes the horse's through the stable, which moves its files along and
// refuses names that cannot be file names or that another horse has.
bool HorseInformationPage::ApplyName() {
  THest& h = Horse();
  const std::string typed = Trim(L(eNavn_->text()));
  if (typed == h.Navn) return true;
  std::string error;
  bool ok = true;
  if (h.stable) {
    ok = h.stable->RenameHorse(h, typed, &error);
  } else if (auto problem = ValidateFileName(typed)) {
    ok = false;
    error = *problem;
  } else {
    h.Navn = typed;
  }
  if (!ok) {
    window_.Ask().Error(error);
    KeepFocus(eNavn_);
    return false;
  }
  window_.NameApplied();
  return true;
}

void HorseInformationPage::OwnerChosen(const QString& name) {
  const TAdrRec rec = window_.services().app->contacts.GetAdresseRecord(L(name), 0);
  cbHesteeier_->setEditText(Q(rec.Navn.empty() ? L(name) : rec.Navn));
  Horse().EierNavn = L(cbHesteeier_->currentText());
  Horse().KontaktPerson = rec.Kontaktperson;
}

void HorseInformationPage::OwnerRegister() {
  Services& services = window_.services();
  const std::string owner = L(cbHesteeier_->currentText().trimmed());
  if (owner.empty() || !services.windows || !services.windows->ownerContacts) return;
  TAdresser& contacts = services.app->contacts;
  const bool isNew = contacts.GetAdresseNr(owner, 0) < 0;
  TAdrRec rec = isNew ? TAdrRec{} : contacts.GetAdresseRecord(owner, 0);
  if (isNew) {
    rec.Navn = owner;
    rec.Kategori = 1;
  }
  services.windows->ownerContacts(&window_, rec, isNew);
}

// ---------------------------------------------------------------- sex, category, birth

void HorseInformationPage::SexChosen(int id) {
  // The sex may change the category too: one edit.
  HorseEditor::Batch edit(window_.Editor());
  THest& h = Horse();
  h.Kjonn = static_cast<TKjonn>(id);
  const TDyreKategori category = CategoryAfterSexChoice(h.Kategori, h.Kjonn);
  if (category != h.Kategori) {
    CheckId(rgHestetype_, Ord(category));
    CategoryChosen(Ord(category));
    CheckId(rgKjonn_, id);
    h.Kjonn = static_cast<TKjonn>(id);
  }
  UpdateAdultWeightHint();
  window_.Recalculate();
}

void HorseInformationPage::CategoryChosen(int id) {
  HorseEditor::Batch edit(window_.Editor());
  THest& h = Horse();
  const auto category = static_cast<TDyreKategori>(id);
  if (IsAdultCategory(category)) {
    const std::string message = ApplyAdultCategory(h, category);
    if (!message.empty()) window_.Ask().Inform(message);
    CheckId(rgKjonn_, Ord(h.Kjonn) > 1 ? 0 : Ord(h.Kjonn));
    if (category == TDyreKategori::Vedlikehold && !h.EkstraAktivitet()) h.TreningsMengde = 0;
  } else {
    const Breed* breed = FindBreed(window_.services().app->settings, h.RaseNavn);
    const YoungDefinition d = StartYoungCategory(h, breed);
    if (d.needed) {
      if (!d.message.empty()) window_.Ask().Inform(d.message);
      DayNumber date = d.birth;
      QString weight = QString::number(std::lround(d.adultWeight));
      const QString caption =
          Q(h.Navn) + ": " + T(kWDefiner) + " " + T(kWFoedselsdato) + " & " + T(kWForventetVoksenvaegt);
      if (window_.Ask().DefineYoungHorse(caption, date, weight)) ApplyYoungDefinition(h, date, L(weight));
    }
    FinishYoungCategory(h);
    eForventetVoksenVekt_->setText(QString::number(std::lround(h.ForventetVoksenvekt)));
    CheckId(rgOnsketVekstHastighet_, Ord(h.OnsketVekstHastighet));
    CheckId(rgYoungTraining_, Ord(h.UngDyrTrening));
    UpdateAdultWeightHint();
    const bool wasDefined = h.youngHorseDefined;
    h.youngHorseDefined = true;
    QWidget* focus = wasDefined ? eVektIdag_ : eDagensTilvekst_;
    QTimer::singleShot(0, focus, [this, focus] {
      if (!window_.Dead()) focus->setFocus();
    });
  }
  // The age, the dates, today's weight, the tabs and the chart follow from the flags.
  window_.Recalculate(kHorseData | kHorseCategory);
}

void HorseInformationPage::BirthDateChanged(bool fromAgeField) {
  THest& h = Horse();
  const DayNumber today = h.env->Today();
  DayNumber date = DayFromQDate(dtpFodselsDato_->date());
  if (h.Kategori != TDyreKategori::Ungdyr) {
    h.Fodselsdato = date;
    pfAlder_->setValue(std::clamp(ShownAge(false, date, today), 0, 50));
  } else {
    if (fromAgeField) date = BirthDateFromMonths(pfAlder_->value(), today);
    if (date > today) date = today;
    ApplyYoungBirthDate(h, date);
    SetDate(dtpFodselsDato_, h.Fodselsdato);
    if (!fromAgeField) pfAlder_->setValue(std::clamp(ShownAge(true, h.Fodselsdato, today), 0, 50));
  }
  window_.Recalculate();
}

void HorseInformationPage::BirthDateLeft() {
  const THest& h = Horse();
  if (h.Kategori != TDyreKategori::Ungdyr) return;
  const DayNumber date = DayFromQDate(dtpFodselsDato_->date());
  if (!YoungBirthDateValid(date, h.env->Today()))
    window_.Ask().Inform(YoungBirthIntervalText(h.env->regional, h.env->Today()));
}

void HorseInformationPage::AgeLeft() {
  const int age = pfAlder_->value();
  if (age == 0) return;
  const DayNumber today = Horse().env->Today();
  if (Horse().Kategori != TDyreKategori::Ungdyr) {
    SetDate(dtpFodselsDato_, BirthDateFromYears(age, today));
    BirthDateChanged(false);
  } else {
    BirthDateChanged(true);
  }
}

// ---------------------------------------------------------------- reproduction

void HorseInformationPage::ShowReproductionBox() {
  const THest& h = Horse();
  const ReproductionBox b = ReproductionBoxOf(h, h.env->Today());
  const std::string category = CountrySettings::NameAt(window_.services().app->settings.categoryNames, Ord(h.Kategori));
  grbReproduksjon_->setTitle(T(kWReproduktionsdata) + ": " + Q(category));
  matingRow_->setVisible(b.showMating);
  foalingRow_->setVisible(b.showFoaling);
  btnNyBedekning_->setVisible(b.showNewMating);
  if (b.showMating) {
    SetDate(dtpBedekkingsDato_, b.mating);
    pfDrektighetsMnd_->setValue(b.monthsPregnant);
  }
  if (b.showFoaling) {
    SetDate(dtpPartusDato_, b.foaling);
    pfLaktasjonsMnd_->setValue(b.monthsLactating);
  }
}

void HorseInformationPage::MatingDateLeft() {
  THest& h = Horse();
  const DayNumber today = h.env->Today();
  DayNumber date = DayFromQDate(dtpBedekkingsDato_->date());
  if (h.Kategori == TDyreKategori::Drektig) {
    if (auto problem = MatingDateProblem(date, h.env->regional, today)) {
      window_.Ask().Inform(*problem);
      date = today - kMatingFallbackDays;
    }
    h.ParringsDato = date;
  } else if (h.Kategori == TDyreKategori::Lakterende) {
    if (MatingAcceptedWhileLactating(date, h.PartusDato) && !MatingDateProblem(date, h.env->regional, today))
      h.ParringsDato = date;
    else
      h.ParringsDato = 0;
  }
  window_.Recalculate();
}

void HorseInformationPage::FoalingDateLeft() {
  THest& h = Horse();
  const DayNumber today = h.env->Today();
  DayNumber date = DayFromQDate(dtpPartusDato_->date());
  if (auto problem = FoalingDateProblem(date, h.env->regional, today)) {
    window_.Ask().Inform(*problem);
    date = today - kFoalingFallbackDays;
  }
  h.PartusDato = date;
  window_.Recalculate();
}

void HorseInformationPage::MonthsFieldLeft(bool pregnancy) {
  QSpinBox* field = pregnancy ? pfDrektighetsMnd_ : pfLaktasjonsMnd_;
  if (field->value() == 0) return;
  const DayNumber date = DateFromMonthsField(field->value(), Horse().env->Today());
  if (pregnancy) {
    SetDate(dtpBedekkingsDato_, date);
    MatingDateLeft();
  } else {
    SetDate(dtpPartusDato_, date);
    FoalingDateLeft();
  }
}

// ---------------------------------------------------------------- young-horse weights

void HorseInformationPage::UpdateAdultWeightHint() {
  const THest& h = Horse();
  const CountrySettings& s = window_.services().app->settings;
  const Breed* breed = FindBreed(s, h.RaseNavn);
  const std::string sex = CountrySettings::NameAt(s.sexNames, Ord(h.Kjonn));
  eForventetVoksenVekt_->setToolTip(ScreenText(AdultWeightHint(h.Navn, breed, sex, h.ForventetVoksenvekt)));
}

void HorseInformationPage::AdultWeightLeft() {
  THest& h = Horse();
  const auto value = ParseTypedNumber(L(eForventetVoksenVekt_->text()));
  if (!value) return;
  if (auto problem = AdultWeightProblem(*value)) {
    window_.Ask().Inform(*problem);
    KeepFocus(eForventetVoksenVekt_);
    return;
  }
  if (*value == h.ForventetVoksenvekt) return;
  if (!h.ErNy && !window_.Ask().OkCancel(Tr(kWVilDuAendre))) {
    eForventetVoksenVekt_->setText(QString::number(std::lround(h.ForventetVoksenvekt)));
    return;
  }
  ApplyAdultWeight(h, *value);
  UpdateAdultWeightHint();
  if (auto problem = DailyGainProblem(h.Sistetilvekst)) window_.Ask().Inform(*problem);
  window_.Recalculate(kHorseData | kHorseWeighings);
}

void HorseInformationPage::TodaysWeightLeft() {
  const QString text = eVektIdag_->text();
  if (text == enteredTodaysWeight_) return;
  const auto value = ParseTypedNumber(L(text));
  if (!value || *value <= 0 || std::lround(*value) == std::lround(Horse().AktuellVekt())) return;
  window_.Editor().SetTodaysWeight(*value);
}

void HorseInformationPage::TodaysGainLeft() {
  const auto value = ParseTypedNumber(L(eDagensTilvekst_->text()));
  if (!value) return;
  if (auto problem = DailyGainProblem(*value)) {
    window_.Ask().Inform(*problem);
    KeepFocus(eDagensTilvekst_);
    return;
  }
  window_.Editor().SetTodaysGain(*value);
}

// ---------------------------------------------------------------- breed and picture

void HorseInformationPage::BreedChosen(const QString& breedName) {
  THest& h = Horse();
  const CountrySettings& s = window_.services().app->settings;
  lblRace_->setText(T(kWRace) + ":");
  const Breed* breed = FindBreed(s, L(breedName));
  if (!breed) return;
  HorseEditor::Batch edit(window_.Editor());
  if (breedName != edRase_->text()) {
    h.RaseNavn = breed->name;
    edRase_->setText(Q(breed->name));
    h.BlodsType = breed->bloodType;
    CheckId(rgBlodstype_, Ord(h.BlodsType));
    if (cbUseBreedPicture_->isChecked()) {
      const auto images = window_.services().app->preferences.ImagesDirectory();
      std::error_code ec;
      const auto file = images / PathFromText(breed->image);
      h.Bildefilnavn = TextFromPath(std::filesystem::is_regular_file(file, ec) ? file : images / "cavehorse.jpg");
      LoadPicture();
      if (!picture_.isNull()) h.Bilde.jpeg = JpegBytes(picture_);
    }
  }
  const double weight = BreedStandardWeight(*breed, rgKjonn_->checkedId() == 0 ? TKjonn::Hann : TKjonn::Hunn);
  if (weight > 0) {
    if (h.VektListe->Antall() == 0) {
      h.VektListe->LeggTil(weight, h.env->Today());
    } else if (window_.Ask().YesNo(Tr(kWNyRaseValgt) + "?")) {
      ApplyBreedStandardWeight(h, weight);
      eForventetVoksenVekt_->setText(QString::number(std::lround(h.ForventetVoksenvekt)));
    }
  }
  grbBreedHelp_->hide();
  UpdateAdultWeightHint();
  if (QAbstractButton* b = rgHestetype_->checkedButton()) b->setFocus();
  window_.Editor().WeighingsChanged();
}

// A picture the record names but the disk lacks falls back to the breed's, then to the
// default picture, then to none.
void HorseInformationPage::LoadPicture() {
  THest& h = Horse();
  const auto images = window_.services().app->preferences.ImagesDirectory();
  std::error_code ec;
  picture_ = QImage();
  if (!h.Bilde.Empty()) picture_ = PictureFromBytes(h.Bilde.jpeg);
  if (picture_.isNull()) {
    std::filesystem::path file = PathFromText(h.Bildefilnavn);
    if (h.Bildefilnavn.empty() || !std::filesystem::is_regular_file(file, ec))
      file = images / PathFromText(h.RaseNavn + ".jpg");
    if (std::filesystem::is_regular_file(file, ec)) {
      h.Bildefilnavn = TextFromPath(file);
      picture_ = ReadPicture(file);
      if (picture_.isNull()) window_.Ask().Inform(Tr(kWKunneIkkeAabne));
    }
    if (picture_.isNull()) {
      const auto fallback = images / "cavehorse.jpg";
      if (std::filesystem::is_regular_file(fallback, ec)) {
        h.Bildefilnavn = TextFromPath(fallback);
        picture_ = ReadPicture(fallback);
      }
    }
  }
  ShowPicture();
}

void HorseInformationPage::ShowPicture() {
  if (picture_.isNull() || picture_.height() <= 0) {
    imgHest_->hide();
    return;
  }
  imgHest_->setFixedWidth(
      static_cast<int>(static_cast<double>(picture_.width()) / picture_.height() * imgHest_->height()));
  imgHest_->setPixmap(QPixmap::fromImage(picture_));
  imgHest_->show();
}

void HorseInformationPage::ChoosePicture() {
  THest& h = Horse();
  const auto images = window_.services().app->preferences.ImagesDirectory();
  std::error_code ec;
  QString path = Q(h.Bildefilnavn);
  if (h.Bildefilnavn.empty() || !std::filesystem::is_regular_file(PathFromText(h.Bildefilnavn), ec)) {
    h.Bildefilnavn.clear();
    path = QString::fromStdString((images / "cavehorse.jpg").string());
  }
  QStringList names, pictures;
  for (const Breed& b : window_.services().app->settings.breeds) {
    names << Q(b.name);
    pictures << QString::fromStdString((images / PathFromText(b.image)).string());
  }
  if (!window_.Ask().ChoosePicture(path, names, pictures, QString::fromStdString((images / "cavehorse.jpg").string())))
    return;
  h.Bildefilnavn = L(path);
  const std::filesystem::path file = path.toStdString();
  h.Bilde = Picture{};
  if (std::filesystem::is_regular_file(file, ec)) {
    const QImage image = ReadPicture(file);
    if (image.isNull())
      window_.Ask().Inform(Tr(kWKunneIkkeAabne));
    else
      h.Bilde.jpeg = JpegBytes(image);
  }
  LoadPicture();
}

void HorseInformationPage::DeletePicture() {
  THest& h = Horse();
  const auto fallback = window_.services().app->preferences.ImagesDirectory() / "cavehorse.jpg";
  std::error_code ec;
  h.Bilde = Picture{};
  h.Bildefilnavn.clear();
  if (std::filesystem::is_regular_file(fallback, ec)) {
    h.Bildefilnavn = TextFromPath(fallback);
    const QImage image = ReadPicture(fallback);
    if (!image.isNull()) h.Bilde.jpeg = JpegBytes(image);
  }
  LoadPicture();
}

}  // namespace stallora
