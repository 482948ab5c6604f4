#pragma once

#include <QString>

namespace tamevo {

// The errors of an update run, in their fixed order (the values are the codes the OnError
// handler receives).
enum class TZubSimpleUpdaterError {
    suecNeedRestartApp,       // 0: done, the program has to be restarted by hand
    suecNoEXESourceDir,       // 1: the source folder does not exist
    suecNoEXESource,          // 2: the new program file is not in the source folder
    suecNoOtherSource,        // 3: an other file is missing (never raised by a run)
    suecCannotCreateSaveDir,  // 4: a save folder cannot be made
    suecFileCopyError,        // 5: a file could not be copied
    suecAlreadyUpdated,       // 6: this updater has already completed a run
    suecEmptySourceDir,       // 7: no source folder set
};

// The language of the error messages.
enum class TZubSimpleUpdaterLanguage { sulaEnglish, sulaHungarian, sulaFrench };

// The message of an error in a language.
QString updaterErrorMessage(TZubSimpleUpdaterError code, TZubSimpleUpdaterLanguage language);

}  // namespace tamevo
