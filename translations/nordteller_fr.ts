<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_CA">
<context>
    <name>CoreText</name>
    <message>
        <source>Pad type</source>
        <translation>Type de clavier NIP</translation>
    </message>
    <message>
        <source>Dollars and cents; digits only</source>
        <translation>Dollars et cents; chiffres seulement</translation>
    </message>
    <message>
        <source>Processor, manufacturer and pad type; requests name the selected one</source>
        <translation>Processeur, fabricant et type de clavier NIP; les requêtes nomment celui qui est choisi</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Fwd All</source>
        <translation>Tout transmettre</translation>
    </message>
    <message>
        <source>IP/HostName</source>
        <translation>IP/Nom d&apos;hôte</translation>
    </message>
    <message>
        <source>IpPort</source>
        <translation>Port IP</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Montant</translation>
    </message>
    <message>
        <source>Max Trans</source>
        <translation>Trans. max.</translation>
    </message>
    <message>
        <source>Sale</source>
        <translation>Vente</translation>
    </message>
    <message>
        <source>Return</source>
        <translation>Remboursement</translation>
    </message>
    <message>
        <source>Key Change</source>
        <translation>Changement de clé</translation>
    </message>
    <message>
        <source>Void Sale</source>
        <translation>Annulation de vente</translation>
    </message>
    <message>
        <source>Sending POS Sequence No</source>
        <translation>No de séquence PDV envoyé</translation>
    </message>
    <message>
        <source>Sending POS Seq No.</source>
        <translation>No séq. PDV envoyé</translation>
    </message>
    <message>
        <source>Received POS Sequence No</source>
        <translation>No de séquence PDV reçu</translation>
    </message>
    <message>
        <source>Received POS Seq No.</source>
        <translation>No séq. PDV reçu</translation>
    </message>
    <message>
        <source>Com Port</source>
        <translation>Port COM</translation>
    </message>
    <message>
        <source>Override</source>
        <translation>Dérogation</translation>
    </message>
    <message>
        <source>Merchant ID</source>
        <translation>ID du marchand</translation>
    </message>
    <message>
        <source>PIN Pad Reset</source>
        <translation>Réinit. du clavier NIP</translation>
    </message>
    <message>
        <source>Prompt for TIP on Sale</source>
        <translation>Demander le pourboire</translation>
    </message>
    <message>
        <source>TIP Amount</source>
        <translation>Montant du pourboire</translation>
    </message>
    <message>
        <source>Prompt for Manual Entry</source>
        <translation>Demander saisie manuelle</translation>
    </message>
    <message>
        <source>Terminal ID</source>
        <translation>ID du terminal</translation>
    </message>
    <message>
        <source>Operator ID</source>
        <translation>ID de l&apos;opérateur</translation>
    </message>
    <message>
        <source>Allow Partial Auth</source>
        <translation>Permettre autor. partielle</translation>
    </message>
    <message>
        <source>Credit Only</source>
        <translation>Crédit seulement</translation>
    </message>
    <message>
        <source>Force Pad Reset B4 Cmd</source>
        <translation>Réinit. clavier avant commande</translation>
    </message>
    <message>
        <source>Use Tokens</source>
        <translation>Utiliser les jetons</translation>
    </message>
    <message>
        <source>Purchase Limit</source>
        <translation>Limite d&apos;achat</translation>
    </message>
    <message>
        <source>Prompt for Cash Back</source>
        <translation>Demander remise en argent</translation>
    </message>
    <message>
        <source>Suppress Amount OK</source>
        <translation>Sans confirmation du montant</translation>
    </message>
    <message>
        <source>AuthCode</source>
        <translation>Code d&apos;autorisation</translation>
    </message>
    <message>
        <source>Refnumber </source>
        <translation>No de référence</translation>
    </message>
    <message>
        <source>Void Return</source>
        <translation>Annul. de remboursement</translation>
    </message>
    <message>
        <source>EMV ParamDownload</source>
        <translation>Télécharg. param. EMV</translation>
    </message>
    <message>
        <source>English Local Lang</source>
        <translation>Anglais (local)</translation>
    </message>
    <message>
        <source>French Local Lang</source>
        <translation>Français (local)</translation>
    </message>
    <message>
        <source>Post/Voice Auth</source>
        <translation>Autorisation vocale</translation>
    </message>
    <message>
        <source>Test Case Info</source>
        <translation>Info du cas d&apos;essai</translation>
    </message>
    <message>
        <source>Server Version</source>
        <translation>Version du serveur</translation>
    </message>
    <message>
        <source>OffLine Decline Report</source>
        <translation>Rapport refus hors ligne</translation>
    </message>
    <message>
        <source>Public Key Report</source>
        <translation>Rapport clés publiques</translation>
    </message>
    <message>
        <source>EMV Params Report</source>
        <translation>Rapport param. EMV</translation>
    </message>
    <message>
        <source>EMV Statistics Report</source>
        <translation>Rapport stats EMV</translation>
    </message>
    <message>
        <source>Run Script</source>
        <translation>Exécuter le script</translation>
    </message>
    <message>
        <source>English Fallback Lang</source>
        <translation>Anglais (repli)</translation>
    </message>
    <message>
        <source>French Fallback Lang</source>
        <translation>Français (repli)</translation>
    </message>
    <message>
        <source>Reset SequenceNo</source>
        <translation>Réinit. du no de séquence</translation>
    </message>
    <message>
        <source>No Fallback Lang </source>
        <translation>Aucune langue de repli</translation>
    </message>
    <message>
        <source>Tran Test Mode</source>
        <translation>Mode d&apos;essai</translation>
    </message>
    <message>
        <source>GIFT
CARDS</source>
        <translation>CARTES-
CADEAUX</translation>
    </message>
    <message>
        <source>Record Number</source>
        <translation>No d&apos;enregistrement</translation>
    </message>
    <message>
        <source>PINPadIPAddress</source>
        <translation>Adresse IP du clavier NIP</translation>
    </message>
    <message>
        <source>PINPadIPPort</source>
        <translation>Port IP du clavier NIP</translation>
    </message>
    <message>
        <source>Interac Debit Only</source>
        <translation>Débit Interac seulement</translation>
    </message>
    <message>
        <source>Balance Inq</source>
        <translation>Demande de solde</translation>
    </message>
    <message>
        <source>PreAuth</source>
        <translation>Préautorisation</translation>
    </message>
    <message>
        <source>PreAuthCapture</source>
        <translation>Finalisation</translation>
    </message>
    <message>
        <source>ZeroAuth</source>
        <translation>Autorisation à zéro</translation>
    </message>
    <message>
        <source>Partial  Reversal</source>
        <translation>Annulation partielle</translation>
    </message>
    <message>
        <source>Return Clear Expiration Date</source>
        <translation>Date d&apos;expiration en clair</translation>
    </message>
    <message>
        <source>Force Offline</source>
        <translation>Forcer hors ligne</translation>
    </message>
    <message>
        <source>Suppress Signature</source>
        <translation>Sans signature</translation>
    </message>
    <message>
        <source>Card Not Pres on Man</source>
        <translation>Carte absente (manuel)</translation>
    </message>
    <message>
        <source>Invoice</source>
        <translation>Facture</translation>
    </message>
    <message>
        <source>Process Data</source>
        <translation>Données de traitement</translation>
    </message>
    <message>
        <source>Incremental Auth</source>
        <translation>Autor. supplémentaire</translation>
    </message>
    <message>
        <source>Clear Resp Fields</source>
        <translation>Effacer les réponses</translation>
    </message>
    <message>
        <source>Adjust</source>
        <translation>Ajustement</translation>
    </message>
    <message>
        <source>Pad Reboot
Time HHMM</source>
        <translation>Redémarrage du clavier
Heure HHMM</translation>
    </message>
    <message>
        <source>GetPadTypesInfo</source>
        <translation>Types de claviers</translation>
    </message>
    <message>
        <source>Merchant /Setup Info</source>
        <translation>Marchand / Configuration</translation>
    </message>
    <message>
        <source>Transaction Modifiers</source>
        <translation>Options de transaction</translation>
    </message>
    <message>
        <source>Merchant Language</source>
        <translation>Langue du marchand</translation>
    </message>
    <message>
        <source>Fallback Language</source>
        <translation>Langue de repli</translation>
    </message>
    <message>
        <source>Admin</source>
        <translation>Administration</translation>
    </message>
    <message>
        <source>Reports</source>
        <translation>Rapports</translation>
    </message>
    <message>
        <source>Store and Forward</source>
        <translation>Stockage et retransmission</translation>
    </message>
    <message>
        <source>Never Use</source>
        <translation>Ne jamais utiliser</translation>
    </message>
    <message>
        <source>Processor</source>
        <translation>Processeur</translation>
    </message>
    <message>
        <source>Issue</source>
        <translation>Émission</translation>
    </message>
    <message>
        <source>Void Issue</source>
        <translation>Annulation d&apos;émission</translation>
    </message>
    <message>
        <source>VoidSale</source>
        <translation>Annulation de vente</translation>
    </message>
    <message>
        <source>VoidReturn</source>
        <translation>Annul. de remboursement</translation>
    </message>
    <message>
        <source>Cashout</source>
        <translation>Encaissement</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Solde</translation>
    </message>
    <message>
        <source>Decrement Amount</source>
        <translation>Montant de la diminution</translation>
    </message>
    <message>
        <source>Increment Amount</source>
        <translation>Montant de l&apos;augmentation</translation>
    </message>
    <message>
        <source>To Be Announced</source>
        <translation>À venir</translation>
    </message>
    <message>
        <source>Unable to create Log Directory - logging disabled!</source>
        <translation>Impossible de créer le dossier du journal - journalisation désactivée!</translation>
    </message>
    <message>
        <source>Failed to Create CardBridgeX.ocx you may need to reinstall the product - Fatal Error!</source>
        <translation>Impossible de créer CardBridgeX.ocx; il faudra peut-être réinstaller le produit - Erreur fatale!</translation>
    </message>
    <message>
        <source>Failed to Create CardBridgeX.ocx you may need to reinstall the product - Fatal Error!
%1</source>
        <translation>Impossible de créer CardBridgeX.ocx; il faudra peut-être réinstaller le produit - Erreur fatale!
%1</translation>
    </message>
    <message>
        <source>Invalid Selection</source>
        <translation>Sélection non valide</translation>
    </message>
    <message>
        <source>Reset sequence number to &apos;0010010010&apos;
Are You Sure?</source>
        <translation>Réinitialiser le numéro de séquence à « 0010010010 »?
Êtes-vous certain?</translation>
    </message>
    <message>
        <source>Could Not Extract Sequence No From Response!</source>
        <translation>Impossible de lire le numéro de séquence dans la réponse!</translation>
    </message>
    <message>
        <source>Invalid Sequence Number-%1</source>
        <translation>Numéro de séquence non valide-%1</translation>
    </message>
    <message>
        <source>The payment client is not available: it could not be created at start-up. Nothing was sent.</source>
        <translation>Le client de paiement n&apos;est pas disponible : il n&apos;a pas pu être créé au démarrage. Rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>The payment client failed the call (error %1): %2.</source>
        <translation>Le client de paiement a fait échouer l&apos;appel (erreur %1) : %2.</translation>
    </message>
    <message>
        <source>The payment client failed the call (error %1).</source>
        <translation>Le client de paiement a fait échouer l&apos;appel (erreur %1).</translation>
    </message>
    <message>
        <source>the payment client ended: %1</source>
        <translation>le client de paiement s&apos;est terminé : %1</translation>
    </message>
    <message>
        <source>the payment client could not be created</source>
        <translation>le client de paiement n&apos;a pas pu être créé</translation>
    </message>
    <message>
        <source>the payment client failed</source>
        <translation>le client de paiement a échoué</translation>
    </message>
    <message>
        <source>the payment client closed its connection</source>
        <translation>le client de paiement a fermé sa connexion</translation>
    </message>
    <message>
        <source>You Aren&apos;t using Tokens. Is that Ok?</source>
        <translation>Vous n&apos;utilisez pas les jetons. Est-ce correct?</translation>
    </message>
    <message>
        <source>Stop waiting for the payment client? The transaction&apos;s outcome at the host will be unknown.</source>
        <translation>Cesser d&apos;attendre le client de paiement? Le résultat de la transaction chez l&apos;hôte restera inconnu.</translation>
    </message>
    <message>
        <source> TranType [%1] is invalid. skipping...</source>
        <translation> Type de transaction [%1] non valide. Ignoré...</translation>
    </message>
    <message>
        <source>Could not open %1</source>
        <translation>Impossible d&apos;ouvrir %1</translation>
    </message>
    <message>
        <source>Failed on Com Port Access.</source>
        <translation>Échec de l&apos;accès au port COM.</translation>
    </message>
    <message>
        <source>DSR Found Inactive on this Port!</source>
        <translation>Signal DSR inactif sur ce port!</translation>
    </message>
    <message>
        <source>Some Fields in this interface are Ignored.
Some Functions(Buttons) have no effect</source>
        <translation>Certains champs de cette interface sont ignorés.
Certaines fonctions (boutons) n&apos;ont aucun effet</translation>
    </message>
    <message>
        <source>Run Test case: %1
for: %2</source>
        <translation>Exécuter le cas d&apos;essai : %1
pour : %2</translation>
    </message>
    <message>
        <source>Run Test case: %1
for: %2
The Amount field refused this amount: %3 will be sent</source>
        <translation>Exécuter le cas d&apos;essai : %1
pour : %2
Le champ Montant a refusé ce montant : %3 sera envoyé</translation>
    </message>
    <message>
        <source>the payment client was not created within %1 s</source>
        <translation>le client de paiement n&apos;a pas été créé en %1 s</translation>
    </message>
    <message>
        <source>the payment client did not answer within %1 s; the transaction&apos;s outcome at the host is unknown</source>
        <translation>le client de paiement n&apos;a pas répondu en %1 s; le résultat de la transaction chez l&apos;hôte est inconnu</translation>
    </message>
    <message>
        <source>cannot record to &apos;%1&apos;: it is the program&apos;s own %2</source>
        <translation>impossible d&apos;enregistrer dans « %1 » : c&apos;est un fichier du programme (%2)</translation>
    </message>
    <message>
        <source>cannot record to &apos;%1&apos;: %2</source>
        <translation>impossible d&apos;enregistrer dans « %1 » : %2</translation>
    </message>
    <message>
        <source>The BatchSummary button</source>
        <translation>Sommaire du lot</translation>
    </message>
    <message>
        <source>The BatchClose button</source>
        <translation>Fermeture de lot</translation>
    </message>
    <message>
        <source>The GetPrePaidStripe button</source>
        <translation>Lire la bande prépayée</translation>
    </message>
    <message>
        <source>logging stopped: %1</source>
        <translation>journalisation arrêtée : %1</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>impossible d&apos;ouvrir %1 : %2</translation>
    </message>
    <message>
        <source>the log folder %1 is missing</source>
        <translation>le dossier des journaux %1 est absent</translation>
    </message>
    <message>
        <source>the daily log %1 was not written whole (%2)</source>
        <translation>le journal quotidien %1 n&apos;a pas été écrit en entier (%2)</translation>
    </message>
    <message>
        <source>the receipt file %1 was not written whole (%2)</source>
        <translation>le fichier de reçus %1 n&apos;a pas été écrit en entier (%2)</translation>
    </message>
    <message>
        <source>the report %1 was not written whole (%2)</source>
        <translation>le rapport %1 n&apos;a pas été écrit en entier (%2)</translation>
    </message>
    <message>
        <source>the journal %1 was not written whole (%2)</source>
        <translation>le journal des transactions %1 n&apos;a pas été écrit en entier (%2)</translation>
    </message>
</context>
<context>
    <name>nt::AboutDialog</name>
    <message>
        <source>About Nordteller</source>
        <translation>À propos de Nordteller</translation>
    </message>
    <message>
        <source>Nordteller Version 1.23</source>
        <translation>Nordteller version 1.23</translation>
    </message>
    <message>
        <source>Bench point-of-sale client for EMV card payments</source>
        <translation>Client de point de vente d&apos;essai pour les paiements par carte EMV</translation>
    </message>
</context>
<context>
    <name>nt::AdditionalAmountsDialog</name>
    <message>
        <source>Additional Amounts</source>
        <translation>Montants supplémentaires</translation>
    </message>
    <message>
        <source>Original Auth Amount</source>
        <translation>Montant autorisé initial</translation>
    </message>
    <message>
        <source>Last Authorizied Amount</source>
        <translation>Dernier montant autorisé</translation>
    </message>
</context>
<context>
    <name>nt::EditXmlDialog</name>
    <message>
        <source>Edit XML Request</source>
        <translation>Modifier la requête XML</translation>
    </message>
    <message>
        <source>XML request</source>
        <translation>Requête XML</translation>
    </message>
</context>
<context>
    <name>nt::GiftTranTypeDialog</name>
    <message>
        <source>Pick Gift Gard Tran Type</source>
        <translation>Type de transaction par carte-cadeau</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>nt::MainWindow</name>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>Réd&amp;uire</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Start &amp;Recording...</source>
        <translation>Démarrer l&apos;&amp;enregistrement...</translation>
    </message>
    <message>
        <source>&amp;About Nordteller...</source>
        <translation>À &amp;propos de Nordteller...</translation>
    </message>
    <message>
        <source>About Nordteller...</source>
        <translation>À propos de Nordteller...</translation>
    </message>
    <message>
        <source>Start Recording...</source>
        <translation>Démarrer l&apos;enregistrement...</translation>
    </message>
    <message>
        <source>%1: About, %2: Recording</source>
        <translation>%1 : À propos, %2 : Enregistrement</translation>
    </message>
    <message>
        <source>Record to</source>
        <translation>Enregistrer dans</translation>
    </message>
    <message>
        <source>Scenarios (*.txt);;All files (*)</source>
        <translation>Scénarios (*.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Stop &amp;Recording</source>
        <translation>Arrêter l&apos;&amp;enregistrement</translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>Arrêter l&apos;enregistrement</translation>
    </message>
    <message>
        <source>Nordteller - test case %1 of %2: %3</source>
        <translation>Nordteller - cas d&apos;essai %1 sur %2 : %3</translation>
    </message>
    <message>
        <source> - recording to %1</source>
        <translation> - enregistrement dans %1</translation>
    </message>
</context>
<context>
    <name>nt::ManualEntryDialog</name>
    <message>
        <source>Manual Items Entry</source>
        <translation>Saisie manuelle</translation>
    </message>
    <message>
        <source>Zip Code</source>
        <translation>Code postal</translation>
    </message>
    <message>
        <source>Street Number</source>
        <translation>Numéro civique</translation>
    </message>
    <message>
        <source>CVV</source>
        <translation>CVV</translation>
    </message>
    <message>
        <source>(X) = Illegible</source>
        <translation>(X) = Illisible</translation>
    </message>
</context>
<context>
    <name>nt::PadTypesInfoDialog</name>
    <message>
        <source>Get Pad Types Info Result</source>
        <translation>Types de claviers NIP</translation>
    </message>
    <message>
        <source>Pad types information</source>
        <translation>Information sur les types de claviers</translation>
    </message>
</context>
<context>
    <name>nt::ReceiptDialog</name>
    <message>
        <source>Receipt Info</source>
        <translation>Reçu</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Receipt</source>
        <translation>Reçu</translation>
    </message>
</context>
<context>
    <name>nt::ResponseDialog</name>
    <message>
        <source>Approved</source>
        <translation>Approuvée</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Réussie</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>Refusée</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Response</source>
        <translation>Réponse</translation>
    </message>
</context>
<context>
    <name>nt::RunTestDialog</name>
    <message>
        <source>Run Script</source>
        <translation>Exécuter le script</translation>
    </message>
    <message>
        <source>Do The Test</source>
        <translation>Faire l&apos;essai</translation>
    </message>
    <message>
        <source>Skip the Test</source>
        <translation>Sauter l&apos;essai</translation>
    </message>
    <message>
        <source>Stop the Script</source>
        <translation>Arrêter le script</translation>
    </message>
</context>
<context>
    <name>nt::WaitWindow</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Please Wait . . .</source>
        <translation>Veuillez patienter . . .</translation>
    </message>
</context>
<context>
    <name>nt::WindowApp</name>
    <message>
        <source>Another Nordteller is already using the folder
%1

Only one instance may use a folder at a time.</source>
        <translation>Un autre Nordteller utilise déjà le dossier
%1

Une seule instance peut utiliser un dossier à la fois.</translation>
    </message>
</context>
</TS>
