#include "app/CGlobalVar.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"
#include "wizard/TFormRes.h"

#include <QColor>
#include <QImage>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct SlotSize {
    const char* Name;
    int Width;
    int Height;
};

const SlotSize BuiltInSizes[] = {
    {"ImgBGMain", 600, 450},
    {"ImgFrameBG", 600, 323},
    {"ImgBtnN", 85, 21},
    {"ImgBtnH", 85, 21},
    {"ImgBtnD", 85, 21},
    {"ImgBGProgress", 190, 50},
    {"ImgTutorial", 332, 275},
    {"ImgBGAutorun", 551, 407},
    {"ImgBtnSetupWizardN", 193, 39},
    {"ImgBtnSetupWizardD", 193, 39},
    {"ImgBtnUGN", 193, 39},
    {"ImgBtnUGD", 193, 39},
    {"ImgBtnProductRegN", 193, 39},
    {"ImgBtnProductRegD", 193, 39},
    {"ImgBtnExitN", 193, 39},
    {"ImgBtnExitD", 193, 39},
    {"ImgBtnUG_UGN", 190, 18},
    {"ImgBtnUG_UGD", 190, 18},
    {"ImgBtnUG_QIGD", 190, 21},
    {"ImgBtnUG_QIGN", 190, 21},
};

// An executable folder with its INI file and a skin folder beside it.
class FormResTest : public ::testing::Test {
protected:
    void SetUp() override {
        global.AppPath = dir.Path() + "/";
        global.Ini = std::make_unique<CThreadIni>(dir.File("Setup.ini"));
        std::filesystem::create_directory(dir.File("skin"));
    }

    void WriteIni(const std::string& text) { dir.Write("Setup.ini", text); }

    // A small picture of one colour, so a replaced slot is told apart from a built-in one.
    std::string WritePicture(const std::string& name, const char* format, QColor color) {
        QImage img(7, 5, QImage::Format_RGB32);
        img.fill(color);
        std::string path = dir.File("skin/" + name);
        EXPECT_TRUE(img.save(QString::fromStdString(path), format)) << path;
        return path;
    }

    static bool IsReplacement(const QImage& img) { return img.size() == QSize(7, 5); }

    TempDir dir;
    CGlobalVar global;
    FakeDialogs dialogs;
};

TEST_F(FormResTest, BuiltInPicturesHaveTheTableSizesWithoutSettings) {
    TFormRes res(global, dialogs);
    ASSERT_EQ(res.Slots().size(), std::size(BuiltInSizes));
    for (size_t i = 0; i < std::size(BuiltInSizes); ++i) {
        const SlotSize& want = BuiltInSizes[i];
        EXPECT_STREQ(res.Slots()[i].Name, want.Name);
        const QImage* img = res.Find(want.Name);
        ASSERT_NE(img, nullptr) << want.Name;
        EXPECT_EQ(img->size(), QSize(want.Width, want.Height)) << want.Name;
    }
    EXPECT_EQ(res.Find("ImgNothing"), nullptr);
    // Button faces: fuchsia corners, an opaque middle.
    for (const char* face :
         {"ImgBtnN", "ImgBtnH", "ImgBtnD", "ImgBtnSetupWizardN", "ImgBtnExitD"}) {
        const QImage& img = *res.Find(face);
        EXPECT_EQ(img.pixelColor(0, 0), QColor(255, 0, 255)) << face;
        EXPECT_EQ(img.pixelColor(img.width() - 1, img.height() - 1), QColor(255, 0, 255)) << face;
        EXPECT_NE(img.pixelColor(img.width() / 2, img.height() / 2), QColor(255, 0, 255)) << face;
    }
}

TEST_F(FormResTest, ReplacesListedSlotsByExtension) {
    WritePicture("n.bmp", "BMP", Qt::red);
    WritePicture("bg.jpg", "JPG", Qt::green);
    WritePicture("frame.JPEG", "JPG", Qt::blue);
    WritePicture("prog.ico", "ICO", Qt::yellow);
    WriteIni("[Product]\nRes_Path=skin\n[FormRes_TImage]\nImgBtnN=n.bmp\nImgBGMain=bg.jpg\n"
             "ImgFrameBG=frame.JPEG\nImgBGProgress=prog.ico\nImgBtnH=\n");
    TFormRes res(global, dialogs);
    EXPECT_TRUE(IsReplacement(res.ImgBtnN));
    EXPECT_EQ(res.ImgBtnN.pixelColor(3, 2), QColor(Qt::red));
    EXPECT_TRUE(IsReplacement(res.ImgBGMain));
    EXPECT_TRUE(IsReplacement(res.ImgFrameBG));
    EXPECT_TRUE(IsReplacement(res.ImgBGProgress));
    EXPECT_EQ(res.ImgBtnH.size(), QSize(85, 21));
    EXPECT_EQ(res.ImgBtnD.size(), QSize(85, 21));
}

TEST_F(FormResTest, EmptyResPathMeansTheExecutableFolder) {
    QImage img(7, 5, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(QString::fromStdString(dir.File("n.bmp")), "BMP"));
    WriteIni("[FormRes_TImage]\nImgBtnN=n.bmp\n");
    TFormRes res(global, dialogs);
    EXPECT_TRUE(IsReplacement(res.ImgBtnN));
}

TEST_F(FormResTest, MissingFolderReplacesNothing) {
    WritePicture("n.bmp", "BMP", Qt::red);
    WriteIni("[Product]\nRes_Path=nowhere\n[FormRes_TImage]\nImgBtnN=../skin/n.bmp\n");
    TFormRes res(global, dialogs);
    EXPECT_EQ(res.ImgBtnN.size(), QSize(85, 21));
}

TEST_F(FormResTest, MissingFileIsSkippedAndTheNextSlotStillReplaced) {
    WritePicture("h.bmp", "BMP", Qt::red);
    WriteIni("[Product]\nRes_Path=skin/\n[FormRes_TImage]\nImgBtnN=gone.bmp\nImgBtnH=h.bmp\n");
    TFormRes res(global, dialogs);
    EXPECT_EQ(res.ImgBtnN.size(), QSize(85, 21));
    EXPECT_TRUE(IsReplacement(res.ImgBtnH));
}

// A file that is there but cannot be drawn: one error box, earlier slots keep their new
// pictures, later ones their built-in ones, and construction completes.
TEST_F(FormResTest, UnloadableFileEndsTheReplacementWithTheErrorBox) {
    struct Case {
        const char* File;
        std::string Bytes;
        const char* ErrorPart;
    };
    const Case cases[] = {
        {"n.txt", "hello", "Unknown picture file extension (.txt)"},
        {"n.emf", std::string("\x01\x00\x00\x00", 4), "Unknown picture file extension (.emf)"},
        {"n.wmf", "\xd7\xcd\xc6\x9a", "Unknown picture file extension (.wmf)"},
        {"n.bmp", "BM this is not a bitmap", "n.bmp"},
        {"n.jpg", "", "n.jpg"},
    };
    WritePicture("bg.jpg", "JPG", Qt::green);
    WritePicture("d.bmp", "BMP", Qt::red);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.File);
        dir.Write(std::string("skin/") + c.File, c.Bytes);
        WriteIni(std::string("[Product]\nRes_Path=skin\n[FormRes_TImage]\nImgBtnD=d.bmp\n"
                             "ImgBGMain=bg.jpg\nImgBtnN=") +
                 c.File + "\n");
        FakeDialogs boxes;
        boxes.ExpectError();
        TFormRes res(global, boxes);
        ASSERT_EQ(boxes.Errors.size(), 1u);
        EXPECT_NE(boxes.Errors[0].find(c.ErrorPart), std::string::npos) << boxes.Errors[0];
        EXPECT_TRUE(IsReplacement(res.ImgBGMain));
        EXPECT_EQ(res.ImgBtnN.size(), QSize(85, 21));
        EXPECT_EQ(res.ImgBtnD.size(), QSize(85, 21));
    }
}

TEST_F(FormResTest, TheFirstSkinBecomesTheGlobalOne) {
    ASSERT_EQ(FormRes, nullptr);
    {
        TFormRes first(global, dialogs);
        TFormRes second(global, dialogs);
        EXPECT_EQ(FormRes, &first);
    }
    EXPECT_EQ(FormRes, nullptr);
}

} // namespace
