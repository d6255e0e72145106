// The pictures the build draws into "ParlenkoImages": every file the windows
// ask for exists, decodes through libjpeg and has the size the windows lay
// out for it.

#include "engine/text/phone_models.h"
#include "tests/ui/ui_test_support.h"
#include "ui/artwork/artwork.h"
#include "ui/base/pictures.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace parlenko::ui {
namespace {

TEST(ImagesTest, HeaderBarsOfBothLanguages) {
    for (int language = 0; language <= 1; ++language)
        for (int page = 1; page <= 6; ++page) {
            const QString name = artwork::PageBarFileName(language, page);
            const auto picture = LoadJpegPicture(testing::BuiltImagesDir() + name);
            ASSERT_TRUE(picture) << name.toStdString();
            EXPECT_EQ(picture->size(), QSize(520, 36)) << name.toStdString();
        }
    EXPECT_EQ(artwork::PageBarFileName(1, 1), "engGeneralBar.jpg");
    EXPECT_EQ(artwork::PageBarFileName(0, 4), "croRecordsBar.jpg");
    EXPECT_TRUE(artwork::PageBarFileName(1, 7).isEmpty());
}

TEST(ImagesTest, OnePicturePerPhoneModelAndTheQuestionMark) {
    QStringList engineModels;
    for (const auto& row : PhoneModels())
        engineModels << QString::fromLatin1(row.model.data(),
                                            static_cast<qsizetype>(row.model.size()));
    EXPECT_EQ(artwork::PhoneModels(), engineModels)
        << "the drawn models are the models the program knows";
    for (const QString& model : engineModels + QStringList{"QuestionMark"}) {
        const auto picture = LoadJpegPicture(testing::BuiltImagesDir() + model + ".jpg");
        ASSERT_TRUE(picture) << model.toStdString();
        EXPECT_EQ(picture->size(), QSize(artwork::kPhoneWidth, artwork::kPhoneHeight));
    }
}

TEST(ImagesTest, ShippedFilesBesideTheImagesFolder) {
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral(PARLENKO_BINARY_DIR "/app/CountryList.dat")));
}

}  // namespace
}  // namespace parlenko::ui
