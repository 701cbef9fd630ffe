#ifndef RECHNER_API_H
#define RECHNER_API_H

/* ###TechGen_Start Schnittstelle des Rechners
###Toc Rechner;Schnittstelle des Rechners;Schnittstelle_des_Rechners
Der Rechner ist in C geschrieben, damit ihn auch andere Programme der
Firma einbinden können. Die Schnittstelle besteht aus einer Funktion:

<CODE>int rechne(char op, int a, int b, int *ergebnis);</CODE>
###TechGen_End */
int rechne(char op, int a, int b, int *ergebnis);

#endif
