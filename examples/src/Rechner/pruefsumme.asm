; ###TechGen_Start Prüfsumme berechnen
; ###Toc Rechner;Prüfsumme berechnen;Pruefsumme_berechnen
; ###Index Prüfsumme;Prüfsumme berechnen;Pruefsumme_berechnen
; <TT>PRUEFSUMME</TT> addiert die Bytes eines Puffers modulo 256.
; Eingabe: <TT>SI</TT> zeigt auf den Puffer, <TT>CX</TT> enthält die Länge.
; Ausgabe: <TT>AL</TT> enthält die Prüfsumme; alle anderen Register
; bleiben erhalten.
; ###TechGen_End

PRUEFSUMME PROC NEAR
        PUSH    SI
        PUSH    CX
        XOR     AL, AL
SCHLEIFE:
        ADD     AL, [SI]
        INC     SI
        LOOP    SCHLEIFE
        POP     CX
        POP     SI
        RET
PRUEFSUMME ENDP
