// Mutated HCM files through the reader and the whole-file check, mutated
// station lines through both library entry points, and damaged report files
// through the report reader. Seeds are the sample files; the generator is
// seeded, so every run sees the same inputs. Beyond not crashing, each input
// must leave the contract of its reader intact.
#include "calc/datareport.h"
#include "checks/filecheck.h"
#include "hcm/hcmfile.h"
#include "hcm/loadjob.h"

#include "hcmfs_api.h"

#include <QSqlQueryModel>
#include <QtTest>

#include <cmath>
#include <random>
#include <vector>

namespace {

const char kAlphabet[] = ";;;;\r\n\r\n\0 0123456789.-+EWNSewnsTXRPtxrpCPXP";

class Mutator
{
public:
    explicit Mutator(unsigned seed) : m_random(seed) {}

    int below(int n) { return n <= 0 ? 0 : int(m_random() % unsigned(n)); }

    QByteArray mutate(QByteArray text, int edits)
    {
        for (int i = 0; i < edits; ++i) {
            const int at = below(int(text.size()) + 1);
            switch (below(5)) {
            case 0: text.insert(at, kAlphabet[below(sizeof kAlphabet - 1)]); break;
            case 1: text.remove(at, 1 + below(8)); break;
            case 2: if (at < text.size()) text[at] = char(below(256)); break;
            case 3: text.insert(at, text.mid(below(int(text.size())), below(64))); break;
            default: text.truncate(at + below(int(text.size()) - at + 1)); break;
            }
        }
        return text;
    }

private:
    std::mt19937 m_random;
};

QList<QByteArray> seedFiles()
{
    QList<QByteArray> seeds;
    for (const QString& folder : {QStringLiteral(LINKWISE_SOURCEDIR "/samples"),
                                  QStringLiteral(LINKWISE_SOURCEDIR "/../shared/data/real-hcm")}) {
        for (const QFileInfo& info : QDir(folder).entryInfoList({QStringLiteral("*.txt")}, QDir::Files)) {
            QFile f(info.filePath());
            if (f.open(QIODevice::ReadOnly))
                seeds.append(f.readAll());
        }
    }
    return seeds;
}

QList<QByteArray> seedLines(const QList<QByteArray>& files)
{
    QList<QByteArray> lines;
    for (const QByteArray& file : files) {
        for (QByteArray line : file.split('\n')) {
            line = line.trimmed();
            if (line.count(';') > 40)
                lines.append(line);
        }
    }
    return lines;
}

// A copy in a heap block of exactly its length: reading one byte past the
// end is caught by the sanitizer build.
std::vector<char> exact(const QByteArray& text)
{
    return std::vector<char>(text.begin(), text.end());
}

bool libraryError(int error)
{
    return error == 0 || (error >= 2000 && error <= 2014);
}

} // namespace

class TestFuzz : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_seeds = seedFiles();
        QVERIFY(m_seeds.size() >= 3);
        m_library.setFileName(QStringLiteral(HCMFS_FILE));
        QVERIFY2(m_library.load(), qPrintable(m_library.errorString()));
    }

    void hcmFiles()
    {
        Mutator m(16);
        CheckSettings settings = 0x1c;
        for (int i = 0; i < 2500; ++i) {
            const QByteArray text = m.mutate(m_seeds.at(m.below(int(m_seeds.size()))), 1 + m.below(12));
            HCMFile file(nullptr, &settings);
            LoadJob job;
            job.target = &file;
            job.checkSettings = &settings;
            job.runOnText(text);
            // Each line is at most one record.
            QVERIFY(file.recordCount() <= text.count('\n') + text.count('\r') + 1);
            FileCheck check(file);
            QVERIFY(check.run());
            QVERIFY(check.errorCount() >= 0 && check.warningCount() >= 0);
            for (const FileCheckItem& item : check.items())
                QVERIFY(!item.codes.isEmpty() && item.recordNumber < file.recordCount());
        }
    }

    void stationLines()
    {
        auto v2 = reinterpret_cast<HCMFS_V2_Fn>(m_library.resolve("HCMFS_V2"));
        auto annex11 = reinterpret_cast<HCMFS_ANNEX11_1_Fn>(m_library.resolve("HCMFS_ANNEX11_1"));
        QVERIFY(v2 && annex11);
        const QList<QByteArray> lines = seedLines(m_seeds);
        QVERIFY(lines.size() >= 4);
        Mutator m(1616);
        for (int i = 0; i < 2000; ++i) {
            std::vector<char> s[4];
            const int used = m.below(3) == 0 ? 4 : 2;
            for (int k = 0; k < used; ++k)
                s[k] = exact(m.mutate(lines.at(m.below(int(lines.size()))), m.below(4)));
            double area = 0;
            float nfd = 0, md = 0, level = 0, total = 0, td = 0;
            int error = 0;
            v2(&area, &nfd, &md, &level, &total, &td, &error, s[0].data(), int(s[0].size()), s[1].data(),
               int(s[1].size()), s[2].data(), int(s[2].size()), s[3].data(), int(s[3].size()), nullptr, 0, nullptr, 0);
            QVERIFY2(libraryError(error), qPrintable(QString::number(error)));
            // Infinite values have a meaning (no interference at all); NaN has none.
            QVERIFY(!std::isnan(area) && !std::isnan(td) && !std::isnan(level) && !std::isnan(total));
            if (error != 0)
                QVERIFY(area == 0 && td == 0 && level == 0 && nfd == 0 && md == 0 && total == 0);

            std::vector<char> countries(size_t(1 + m.below(40)), 'x');
            if (i == 0) {
                // Null texts with lengths, and negative lengths, are no records.
                v2(&area, &nfd, &md, &level, &total, &td, &error, nullptr, 500, nullptr, -3, nullptr, 0, nullptr, 0,
                   nullptr, 10, nullptr, 10);
                QCOMPARE(error, 2000);
            }
            error = 0;
            annex11(&error, s[0].data(), int(s[0].size()), countries.data(), int(countries.size()), nullptr, 0);
            QVERIFY2(libraryError(error), qPrintable(QString::number(error)));
            for (char c : countries)
                QVERIFY((c >= 'A' && c <= 'Z') || c == ',' || c == ' ');
        }
    }

    void damagedReports()
    {
        QTemporaryDir dir;
        const QString original = dir.filePath(QStringLiteral("original.lwrpt"));
        {
            dataReport report(original);
            QVERIFY(report.createResultsSchema());
            ResultRow row;
            for (int i = 0; i < 400; ++i) {
                row.txName = QStringLiteral("station %1").arg(i);
                QVERIFY(report.insertResult(row));
            }
            QVERIFY(report.close());
        }
        QFile f(original);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        Mutator m(161616);
        for (int i = 0; i < 200; ++i) {
            QByteArray damaged = bytes;
            for (int k = 1 + m.below(6); k > 0; --k) {
                const int at = m.below(int(damaged.size()));
                for (int n = m.below(64); n >= 0 && at + n < damaged.size(); --n)
                    damaged[at + n] = char(m.below(256));
            }
            if (m.below(4) == 0)
                damaged.truncate(m.below(int(damaged.size())));
            const QString file = dir.filePath(QStringLiteral("damaged%1.lwrpt").arg(i));
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(damaged);
            out.close();
            dataReport reader(file);
            reader.setBusyWait(10, 1);
            const bool read = (reader.readResults() || reader.readTrigger()) && reader.fetchAll();
            reader.readVersion();
            // Either the rows are all there to show, or the reader says why not.
            if (read)
                QVERIFY(reader.model()->rowCount() <= 400);
            else
                QVERIFY(reader.readProblem() != dataReport::NoProblem && !reader.lastError().isEmpty());
        }
    }

private:
    QList<QByteArray> m_seeds;
    QLibrary m_library;
};

QTEST_GUILESS_MAIN(TestFuzz)
#include "tst_fuzz.moc"
