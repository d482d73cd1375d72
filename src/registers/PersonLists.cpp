#include "PersonLists.h"

#include <QCollator>
#include <QLocale>
#include <QString>
#include <algorithm>

#include "StandardControls.h"

// The texts are stored by position, so they stay exactly as they were first shipped, misspellings
// and all: a corrected name would move every stored position after it.
const std::vector<std::u16string>& CountryNames() {
    static const std::vector<std::u16string> names{
        u" ", u"Afghanistan", u"Albania", u"Algeria", u"Andorra", u"Angola",
        u"Antigua and Barbuda", u"Argentina", u"Armenia", u"Australia", u"Austria", u"Azerbaijan",
        u"Bahamas", u"Bahrain", u"Bangladesh", u"Barbados", u"Belarus", u"Belgium", u"Belize",
        u"Benin", u"Bhutan", u"Bolivia", u"Bosnia and Herzegovina", u"Botswana", u"Brazil",
        u"Brunei", u"Bulgaria", u"Burkina Faso", u"Burundi", u"Cambodia", u"Cameroon", u"Canada",
        u"Cape Verde", u"Central African Republic", u"Chad", u"Chile", u"China", u"Colombi",
        u"Comoros", u"Congo _T(Brazzaville)", u"Congo", u"Costa Rica", u"Cote d'Ivoire",
        u"Croatia", u"Cuba", u"Cyprus", u"Czech Republic", u"Denmark", u"Djibouti", u"Dominica",
        u"Dominican Republic", u"East Timor _T(Timor Timur)", u"Ecuador", u"Egypt", u"El Salvador",
        u"Equatorial Guinea", u"Eritrea", u"Estonia", u"Ethiopia", u"Fiji", u"Finland", u"France",
        u"Gabon", u"Gambia)); The", u"Georgia", u"Germany", u"Ghana", u"Greece", u"Grenada",
        u"Guatemala", u"Guinea", u"Guinea-Bissau", u"Guyana", u"Haiti", u"Honduras", u"Hungary",
        u"Iceland", u"India", u"Indonesia", u"Iran", u"Iraq", u"Ireland", u"Israel", u"Italy",
        u"Jamaica", u"Japan", u"Jordan", u"Kazakhstan", u"Kenya", u"Kiribati", u"Korea)); North",
        u"Korea)); South", u"Kuwait", u"Kyrgyzstan", u"Laos", u"Latvia", u"Lebanon", u"Lesotho",
        u"Liberia", u"Libya", u"Liechtenstein", u"Lithuania", u"Luxembourg", u"Macedonia",
        u"Madagascar", u"Malawi", u"Malaysia", u"Maldives", u"Mali", u"Malta", u"Marshall Islands",
        u"Mauritania", u"Mauritius", u"Mexico", u"Micronesia", u"Moldova", u"Monaco", u"Mongolia",
        u"Morocco", u"Mozambique", u"Myanmar", u"Namibia", u"Nauru", u"Nepa", u"Netherlands",
        u"New Zealand", u"Nicaragua", u"Niger", u"Nigeria", u"Norway", u"Oman", u"Pakistan",
        u"Palau", u"Panama", u"Papua New Guinea", u"Paraguay", u"Peru", u"Philippines", u"Poland",
        u"Portugal", u"Qatar", u"Romania", u"Russia", u"Rwanda", u"Saint Kitts and Nevis",
        u"Saint Lucia", u"Saint Vincent", u"Samoa", u"San Marino", u"Sao Tome and Principe",
        u"Saudi Arabia", u"Senegal", u"Serbia and Montenegro", u"Seychelles", u"Sierra Leone",
        u"Singapore", u"Slovakia", u"Slovenia", u"Solomon Islands", u"Somalia", u"South Africa",
        u"Spain", u"Sri Lanka", u"Sudan", u"Suriname", u"Swaziland", u"Sweden", u"Switzerland",
        u"Syria", u"Taiwan", u"Tajikistan", u"Tanzania", u"Thailand", u"Togo", u"Tonga",
        u"Trinidad and Tobago", u"Tunisia", u"Turkey", u"Turkmenistan", u"Tuvalu", u"Uganda",
        u"Ukraine", u"United Arab Emirates", u"United Kingdom", u"United States", u"Uruguay",
        u"Uzbekistan", u"Vanuatu", u"Vatican City", u"Venezuela", u"Vietnam", u"Yemen", u"Zambia",
        u"Zimbabwe",
    };
    return names;
}

const std::vector<std::u16string>& VoivodeshipNames() {
    static const std::vector<std::u16string> names{
        u" ", u"Dolnośląskie", u"Kujawsko-Pomorskie", u"Lubelskie", u"Lubuskie", u"Łódzkie",
        u"Małopolskie", u"Mazowieckie", u"Opolskie", u"Podkarpackie", u"Podlaskie", u"Pomorskie",
        u"Śląskie", u"Świętokrzyskie", u"Warmińsko-Mazurskie", u"Wielkopolskie",
        u"Zachodniopomorskie",
    };
    return names;
}

std::vector<std::u16string> InCollationOrder(std::vector<std::u16string> texts) {
    QCollator collator{QLocale(QLocale::Polish, QLocale::Poland)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(texts.begin(), texts.end(),
                     [&collator](const std::u16string& a, const std::u16string& b) {
                         return collator.compare(QString::fromStdU16String(a),
                                                 QString::fromStdU16String(b)) < 0;
                     });
    return texts;
}

void FillFixedList(ComboBox& combo, const std::vector<std::u16string>& texts, bool sorted) {
    combo.ResetContent();
    // Entries go in by position, so the combo's own ordering never moves them.
    for (const std::u16string& text : sorted ? InCollationOrder(texts) : texts)
        combo.InsertString(combo.GetCount(), text);
}
