#include "RechnerAPI.h"

/* ###DocGen_Start Grundrechenarten
###ContextID 1002
###Toc Angebote;Grundrechenarten;Grundrechenarten
###Index Rechner;Grundrechenarten;Grundrechenarten
Der eingebaute Rechner beherrscht die vier Grundrechenarten. Geben Sie
zwei Zahlen und ein Rechenzeichen ein; das Ergebnis erscheint sofort.

Eine Division durch null meldet der Rechner als <B>Fehler</B>, statt
ein Ergebnis anzuzeigen.
###DocGen_End */

// ###TechGen_Start Die Funktion rechne
// ###Toc Rechner;Die Funktion rechne;Die_Funktion_rechne
// ###Index rechne;Die Funktion rechne;Die_Funktion_rechne
// <CODE>rechne</CODE> verknüpft zwei ganze Zahlen mit einem Rechenzeichen
// und legt das Ergebnis in <CODE>*ergebnis</CODE> ab.
//
// Rückgabewert: 0 bei Erfolg, -1 bei einem unbekannten Rechenzeichen oder
// einer Division durch null. Das Ergebnis bleibt dann unverändert.
// ###TechGen_End
int rechne(char op, int a, int b, int *ergebnis)
{
    switch (op) {
    case '+': *ergebnis = a + b; return 0;
    case '-': *ergebnis = a - b; return 0;
    case '*': *ergebnis = a * b; return 0;
    case '/':
        if (b == 0)
            return -1;
        *ergebnis = a / b;
        return 0;
    default:
        return -1;
    }
}
