#!/usr/bin/perl
# Japanese string literals of C++ sources that reach the player untranslated: every literal with
# Japanese characters that is neither inside a marking or translating call (QT_TRANSLATE_NOOP,
# tr, translate, translated, ...) nor a text the catalogue holds (a reference to a text marked
# elsewhere, e.g. a menu's parent caption), nor data on the allow-list below. Prints
# "file:line: "text"" per literal.
#
# usage: unmarked_texts.pl CATALOGUE.ts FILE...
use strict;
use warnings;
use utf8;
binmode STDOUT, ':encoding(UTF-8)';

# Texts that are data, never shown as they are.
my @allowed = (
    qr/ＭＳ Ｐ明朝/,                      # the board font's family name
    qr/.*\.wav/,                          # sound file names
    qr/(背景画|移動指導|経過時間)=.*|言語|アカウント/, # the settings file's lines and keys
    qr/あなた|ｺﾝﾋﾟｭｰﾀ/,                   # player names written into game records
);
my $marking = qr/^(QT_TRANSLATE_NOOP|QT_TRANSLATE_N_NOOP|QT_TRANSLATE_NOOP3|QT_TR_NOOP|tr|translate|translated|translatedLines|translatedCount)$/;
my $japanese = qr/[\x{3000}-\x{30FF}\x{3400}-\x{9FFF}\x{FF00}-\x{FFEF}]/;

my ($catalogue, @files) = @ARGV;
my %known;
open my $ts, '<:encoding(UTF-8)', $catalogue or die "$catalogue: $!";
my $source;
while (<$ts>) {
    if (m{<source>(.*)</source>}) {
        $source = $1;
        $source =~ s/&lt;/</g; $source =~ s/&gt;/>/g; $source =~ s/&quot;/"/g;
        $source =~ s/&apos;/'/g; $source =~ s/&amp;/&/g;
        $known{$source} = 1;
    }
    # A text no longer in the sources is marked nowhere.
    delete $known{$source} if defined $source && /<translation[^>]*type="(vanished|obsolete)"/;
}
close $ts;

sub count_lines { my ($s) = @_; my $n = () = $s =~ /\n/g; return $n; }

for my $file (@files) {
    open my $fh, '<:encoding(UTF-8)', $file or die "$file: $!";
    local $/;
    my $src = <$fh>;
    close $fh;
    my @callees;  # the name before each open parenthesis
    my ($name, $line, $i, $n) = ('', 1, 0, length $src);
    while ($i < $n) {
        my $c = substr($src, $i, 1);
        if ($c eq "\n") { $line++; $i++; $name = ''; next; }
        my $two = substr($src, $i, 2);
        if ($two eq '//') { $i = index($src, "\n", $i); $i = $n if $i < 0; next; }
        if ($two eq '/*') {
            my $end = index($src, '*/', $i);
            $end = $n - 2 if $end < 0;
            $line += count_lines(substr($src, $i, $end - $i));
            $i = $end + 2;
            next;
        }
        if ($c eq "'" || $c eq '"') {
            my $j = $i + 1;
            $j += substr($src, $j, 1) eq '\\' ? 2 : 1 while $j < $n && substr($src, $j, 1) ne $c;
            my $text = substr($src, $i + 1, $j - $i - 1);
            if ($c eq '"' && $text =~ $japanese) {
                my $callee = @callees ? $callees[-1] : '';
                my $shown = $callee !~ $marking && !$known{$text};
                $shown &&= !grep { $text =~ /^(?:$_)$/ } @allowed;
                print "$file:$line: \"$text\"\n" if $shown;
            }
            $line += count_lines($text);
            $i = $j + 1;
            $name = '';
            next;
        }
        if ($c =~ /\w/ || ord($c) > 127) { $name .= $c; $i++; next; }
        if ($c eq '(') { push @callees, $name; }
        elsif ($c eq ')') { pop @callees; }
        $name = '' unless $c =~ /\s/;
        $i++;
    }
}
