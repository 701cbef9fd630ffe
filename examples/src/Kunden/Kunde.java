package kundenmanager;

/** ###DocGen_Start Kunden verwalten
###ContextID 1003
###Toc Bedienung;Kunden verwalten;Kunden_verwalten
###Index Kunde;Kunden verwalten;Kunden_verwalten
###Index Kundennummer;Kunden verwalten;nummer
Jeder Kunde erhält beim Anlegen eine
<A NAME="nummer"></A><B>Kundennummer</B>, die sich danach nicht mehr
ändert. Name, Straße und Ort können Sie jederzeit bearbeiten.

Gelöschte Kunden bleiben im Archiv, bis Sie es leeren.
###DocGen_End */
public class Kunde {

    /** ###TechGen_Start Klasse Kunde
    ###Toc Klassen;Klasse Kunde;Klasse_Kunde
    Ein <TT>Kunde</TT> ist ein einfacher Datensatz. Die Nummer ist
    unveränderlich und wird in <TT>equals</TT> und <TT>hashCode</TT>
    verwendet; alle anderen Felder dürfen sich ändern.
    ###TechGen_End */
    private final int nummer;
    private String name;
    private String ort;

    public Kunde(int nummer, String name, String ort) {
        this.nummer = nummer;
        this.name = name;
        this.ort = ort;
    }

    public int getNummer() { return nummer; }
    public String getName() { return name; }
    public String getOrt() { return ort; }

    @Override
    public boolean equals(Object o) {
        return o instanceof Kunde && ((Kunde) o).nummer == nummer;
    }

    @Override
    public int hashCode() { return nummer; }
}
