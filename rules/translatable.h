#pragma once

// Marks a text the player sees for the translation tools without translating it: the game keeps
// its Japanese texts, and the window translates them in the context when it shows them. The
// window's translation tools read this macro by name; outside Qt it is the text itself.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif
// The same for a text shown after a count, whose translation may take the count's plural form.
#ifndef QT_TRANSLATE_N_NOOP
#define QT_TRANSLATE_N_NOOP(context, text) text
#endif
