// Google Benchmark suite of the exercise logic and of picture decoding, on the bundled list and on a generated list
// of 500 words with pictures as large as the bundled ones (600 x 600).
//
// A model is added with one row of kModels: its name and how to make it and build its next exercise.

#include "bench/bench_support.h"
#include "core/content_finder.h"
#include "core/paths.h"
#include "core/shared_state.h"
#include "core/word_list_reader.h"
#include "exercises/frame/exercise_services.h"
#include "exercises/letters/missing_letter_exercise.h"
#include "exercises/letters/spell_word_exercise.h"
#include "exercises/pictures/choice_exercise.h"
#include "exercises/pictures/words_onto_pictures_exercise.h"
#include "feedback/feedback.h"
#include "ui/glue/picture_loader.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

using namespace tavenzo;
using namespace tavenzo::bench;

namespace {

// What a model needs, wired to silent ports and a program folder.
struct Rig {
    explicit Rig(const QString& folder)
        : feedback(sounds, beeper, random, Paths(folder, QString()).soundFolder())
        , pictures(pictureKind(), Paths(folder, QString()).contentPlaces({}))
    {
        loadWordListFile(QDir(folder).filePath(QStringLiteral("lista.txt")), state);
        state.AttendiAvanti = true;
    }
    ExerciseServices services() { return {state, random, feedback, pictures, clock}; }

    SharedState state;
    SeededRandom random;
    SilentSounds sounds;
    SilentBeeper beeper;
    StillClock clock;
    Feedback feedback;
    ContentFinder pictures;
};

// A model behind one call: build the next exercise.
struct ModelRow {
    const char* name;
    std::function<std::function<void()>(Rig&)> make;
};

// A model opened on the rig, behind the call that builds its next exercise.
template<typename Model, auto next, typename... Options> std::function<void()> opened(Rig& rig, Options... options)
{
    auto model = std::make_shared<Model>(rig.services(), options...);
    model->open();
    return [model] { ((*model).*next)(); };
}

const ModelRow kModels[] = {
    {"parole",
        [](Rig& rig) {
            return opened<ChoiceExercise, &ChoiceExercise::PreparaEsercizio>(rig, ChoiceExercise::kWordForPicture);
        }},
    {"disegni",
        [](Rig& rig) {
            return opened<ChoiceExercise, &ChoiceExercise::PreparaEsercizio>(rig, ChoiceExercise::kPictureForWord);
        }},
    {"lettera1",
        [](Rig& rig) {
            return opened<MissingLetterExercise, &MissingLetterExercise::PreparaEsercizio>(
                rig, MissingLetterExercise::kMissingFirstLetter);
        }},
    {"lettera",
        [](Rig& rig) {
            return opened<MissingLetterExercise, &MissingLetterExercise::PreparaEsercizio>(
                rig, MissingLetterExercise::kMissingInnerLetter);
        }},
    {"lettere", [](Rig& rig) { return opened<SpellWordExercise, &SpellWordExercise::PreparaEsercizio>(rig); }},
    {"DISEGNI1",
        [](Rig& rig) { return opened<WordsOntoPicturesExercise, &WordsOntoPicturesExercise::GeneraEsercizio>(rig); }},
};

struct DataSet {
    QString name;
    QString folder;
};

void newExercise(benchmark::State& st, const ModelRow& row, const QString& folder)
{
    Rig rig(folder);
    const std::function<void()> next = row.make(rig);
    for (auto _ : st) {
        next();
        benchmark::ClobberMemory();
    }
}

void readList(benchmark::State& st, const QString& listPath)
{
    SharedState state;
    for (auto _ : st) {
        benchmark::DoNotOptimize(loadWordListFile(listPath, state));
    }
    st.counters["words"] = state.NumeroParole;
}

// Word pictures as the screens load them: a different file every time (the cache cannot help), decoded straight
// at the box size, or decoded whole and then scaled, which is what a plain QPixmap load and a stretching label do.
void pictureAtBoxSize(benchmark::State& st, const QStringList& files, QSize box, bool scaledDecode)
{
    qsizetype i = 0;
    for (auto _ : st) {
        const QString& file = files.at(i++ % files.size());
        QImage image;
        if (scaledDecode) {
            QImageReader reader(file);
            reader.setScaledSize(box);
            image = reader.read();
        } else {
            image = QImage(file).scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

void pictureLoaderMiss(benchmark::State& st, const QStringList& files, QSize box)
{
    auto loader = std::make_unique<ui::PictureLoader>();
    qsizetype i = 0;
    for (auto _ : st) {
        // A fresh loader every pass through the list keeps every load a miss.
        if (i % files.size() == 0) {
            st.PauseTiming();
            loader = std::make_unique<ui::PictureLoader>();
            st.ResumeTiming();
        }
        benchmark::DoNotOptimize(loader->load(files.at(i++ % files.size()), box).cacheKey());
    }
}

void pictureLoaderHit(benchmark::State& st, const QString& file, QSize box)
{
    ui::PictureLoader loader;
    loader.load(file, box);
    for (auto _ : st) {
        benchmark::DoNotOptimize(loader.load(file, box).cacheKey());
    }
}

QStringList picturesIn(const QString& folder)
{
    QStringList files;
    const QDir jpg(QDir(folder).filePath(QStringLiteral("jpg")));
    for (const QString& name : jpg.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name)) {
        files.append(jpg.filePath(name));
    }
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    const GeneratedProgramFolder generated(kMaxWords, kGeneratedPictureSide);
    if (!generated.isValid()) {
        qFatal("cannot write the generated program folder");
    }
    const std::vector<DataSet> dataSets = {
        {QStringLiteral("bundled"), QStringLiteral(TAVENZO_PROGRAM_DIR)},
        {QStringLiteral("500x%1px").arg(kGeneratedPictureSide), generated.path()},
    };

    benchmark::RegisterBenchmark("read_word_list/500", readList, generated.listPath());
    for (const DataSet& data : dataSets) {
        for (const ModelRow& row : kModels) {
            const std::string name = "new_exercise/" + std::string(row.name) + "/" + data.name.toStdString();
            benchmark::RegisterBenchmark(name.c_str(), newExercise, row, data.folder);
        }
    }

    const QStringList files = picturesIn(generated.path());
    // Inside the parole picture box and one of the six disegni boxes, in a window and full-screen at 1920 x 1080.
    for (const QSize box : {QSize(295, 295), QSize(167, 151), QSize(612, 612), QSize(362, 327)}) {
        const std::string size = std::to_string(box.width()) + "x" + std::to_string(box.height());
        benchmark::RegisterBenchmark(("picture/scaled_decode/" + size).c_str(), pictureAtBoxSize, files, box, true);
        benchmark::RegisterBenchmark(
            ("picture/decode_then_scale/" + size).c_str(), pictureAtBoxSize, files, box, false);
        benchmark::RegisterBenchmark(("picture/loader_miss/" + size).c_str(), pictureLoaderMiss, files, box);
        benchmark::RegisterBenchmark(("picture/loader_hit/" + size).c_str(), pictureLoaderHit, files.first(), box);
    }

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
