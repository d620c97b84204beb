// SPDX-License-Identifier: GPL-3.0-or-later
#include "CourseSpelling.h"

#include "CourseTexts.h"

#include "platform/CodePage1257.h"
#include "platform/ProgramPaths.h"

#include <QFile>
#include <QHash>

#include <hunspell.hxx>

#include <algorithm>
#include <memory>

namespace lentora::course {

namespace {

const QString kDictionaryDir = QStringLiteral("/usr/share/hunspell/");

class Speller {
public:
    explicit Speller(const QString& language) {
        const QString aff = kDictionaryDir + language + QStringLiteral(".aff");
        const QString dic = kDictionaryDir + language + QStringLiteral(".dic");
        if (!QFile::exists(aff) || !QFile::exists(dic)) {
            return;
        }
        hunspell_ = std::make_unique<Hunspell>(aff.toLocal8Bit().constData(),
                                               dic.toLocal8Bit().constData());
        utf8_ = QByteArray(hunspell_->get_dict_encoding().c_str()).toUpper() == "UTF-8";
    }

    bool usable() const { return hunspell_ != nullptr; }

    void addWord(const QString& word) {
        known_.insert(word, true);
        known_.insert(word.toLower(), true);
    }

    // A hyphenated word is known whole, as its syllables joined ("ra-šy-ti") or part by part.
    bool knows(const QString& word) {
        if (!word.contains(QLatin1Char('-')) || knowsWhole(word)) {
            return knowsWhole(word);
        }
        QString joined = word;
        joined.remove(QLatin1Char('-'));
        if (knowsWhole(joined)) {
            return true;
        }
        const QStringList parts = word.split(QLatin1Char('-'));
        return std::all_of(parts.begin(), parts.end(), [this](const QString& part) {
            return part.size() < 2 || knowsWhole(part);
        });
    }

private:
    bool knowsWhole(const QString& word) {
        const auto cached = known_.constFind(word);
        if (cached != known_.constEnd()) {
            return *cached;
        }
        // lt_LT is ISO-8859-13, whose letters stand where code page 1257 has them.
        const QByteArray bytes = utf8_ ? word.toUtf8() : toCp1257(word);
        const bool known = hunspell_->spell(std::string(bytes.constData(), size_t(bytes.size()))) ||
                           known_.value(word.toLower(), false);
        known_.insert(word, known);
        return known;
    }

    std::unique_ptr<Hunspell> hunspell_;
    bool utf8_ = false;
    QHash<QString, bool> known_;
};

}  // namespace

void checkSpelling(const QString& programDir, CheckReport& report) {
    Speller speller(QStringLiteral("lt_LT"));
    if (!speller.usable()) {
        report.findings.push_back(
            {Severity::Error,
             {},
             {},
             QStringLiteral("the spelling cannot be checked: %1lt_LT.aff or .dic is missing "
                            "(install hunspell-lt)")
                 .arg(kDictionaryDir)});
        return;
    }
    QString dir = programDir;
    if (!dir.endsWith(QLatin1Char('/'))) {
        dir += QLatin1Char('/');
    }
    QFile courseWords(resolvePath(dir + kCourseWordsFile));
    if (courseWords.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : courseWords.readAll().split('\n')) {
            const QString word = QString::fromUtf8(line).trimmed();
            if (!word.isEmpty() && !word.startsWith(QLatin1Char('#'))) {
                speller.addWord(word);
            }
        }
    }
    int unknown = 0;
    for (const PlacedText& text : readCourseTexts(programDir).all) {
        if (text.meantWrong) {
            continue;
        }
        QStringList unknownHere;
        for (const QString& word : wordsOf(text.text)) {
            // Letters named alone ("ą", "y") are no words to spell.
            if (word.size() > 1 && !speller.knows(word) && !unknownHere.contains(word)) {
                unknownHere.push_back(word);
            }
        }
        for (const QString& word : unknownHere) {
            ++unknown;
            report.findings.push_back(
                {Severity::Warning, text.file, text.place,
                 QStringLiteral("\"%1\" is not in the Lithuanian dictionary nor in %2")
                     .arg(word, kCourseWordsFile)});
        }
    }
    report.notes.push_back(
        QStringLiteral("spelling: Hunspell lt_LT, %1 unknown words").arg(unknown));
}

}  // namespace lentora::course
