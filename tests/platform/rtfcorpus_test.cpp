// The fuzzer's seed corpus, replayed through the same round as the fuzzer
// in every build.

#include "rtffuzz.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

TEST(RtfCorpus, EverySeedReadsAndSavesStably)
{
    const QDir corpus(QStringLiteral(QM_RTF_CORPUS));
    const QStringList seeds = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(seeds.size(), 5) << "seed corpus missing at " << QM_RTF_CORPUS;
    for (const QString &seed : seeds) {
        QFile f(corpus.filePath(seed));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << seed.toStdString();
        const QByteArray data = f.readAll();
        EXPECT_TRUE(fuzzrtf(reinterpret_cast<const std::uint8_t *>(data.constData()), std::size_t(data.size())))
            << seed.toStdString();
    }
}
