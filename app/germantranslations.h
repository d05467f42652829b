#ifndef GERMANTRANSLATIONS_H
#define GERMANTRANSLATIONS_H

class QCoreApplication;

// The toolkit's own texts (file, colour and font dialogs, message-box buttons, the undo
// entries, the option parser's help and errors) in German, whatever the system's
// language: the program speaks German.
class GermanTranslations
{
public:
    // Loads the toolkit's German catalogue into the application; false when it is not
    // installed (the texts then stay English).
    static bool install(QCoreApplication* app);
};

#endif
