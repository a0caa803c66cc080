#! /usr/bin/perl
#
# Turns dictionary.txt (UTF-8, format described at its top) into the work
# files from which fpwmake builds the book.  Run by fpwmake as
#     perl fpwdictionary.pl -workdir work dictionary.txt
#
use strict;
use utf8;
use warnings;
use Encode qw(decode encode);
use FreePWING::FPWUtils::FPWParser;

our ($fpwkeyword, $fpwtext, $fpwheading, $fpwword2, $fpwmenu, $fpwcopyright);

initialize_fpwparser('text'      => \$fpwtext,
                     'heading'   => \$fpwheading,
                     'word2'     => \$fpwword2,
                     'keyword'   => \$fpwkeyword,
                     'menu'      => \$fpwmenu,
                     'copyright' => \$fpwcopyright);

# FreePWING works in EUC-JP; the source is UTF-8.
sub Euc {
    my ($text) = @_;
    return encode('euc-jp', $text, Encode::FB_CROAK);
}

sub Check {
    my ($object, $ok) = @_;
    $ok || die "$0: " . $object->error_message() . "\n";
}

# Targets of the references opened and not yet closed.
my @gOpenReferences;

# Writes one line of body text with its inline marks to $out.
sub AddMarkedText {
    my ($out, $line) = @_;
    for my $part (split /(<[^>]*>)/, $line) {
        next if $part eq '';
        if ($part =~ /^<ref:([\w-]+)>$/) {
            Check($out, $out->add_reference_start());
            push @gOpenReferences, $1;
        } elsif ($part eq '</ref>') {
            Check($out, $out->add_reference_end(pop @gOpenReferences));
        } elsif ($part =~ /^<h:([\w-]+)>$/) {
            Check($out, $out->add_half_user_character($1));
        } elsif ($part =~ /^<f:([\w-]+)>$/) {
            Check($out, $out->add_full_user_character($1));
        } elsif ($part =~ /^<pic:([\w-]+)>$/) {
            Check($out, $out->add_color_graphic_start($1));
        } elsif ($part =~ /^<jpeg:([\w-]+)>$/) {
            Check($out, $out->add_jpeg_graphic_start($1));
        } elsif ($part eq '</jpeg>') {
            Check($out, $out->add_jpeg_graphic_end());
        } elsif ($part eq '</pic>') {
            Check($out, $out->add_color_graphic_end());
        } elsif ($part =~ m{^<(/?)(sup|sub|em)>$}) {
            my $name = {'sup' => 'superscript', 'sub' => 'subscript',
                        'em' => 'emphasis'}->{$2};
            my $method = "add_${name}_" . ($1 ? 'end' : 'start');
            Check($out, $out->$method());
        } elsif ($part =~ /^</) {
            die "$0: unknown mark $part\n";
        } else {
            Check($out, $out->add_text(Euc($part)));
        }
    }
}

# Dictionary entry: keyword line, body at indent 2, heading and search words.
sub AddTextEntry {
    my ($entry) = @_;
    my $heading = $entry->{'reading'} . ($entry->{'written'} // '');
    Check($fpwtext, $fpwtext->new_entry());
    Check($fpwheading, $fpwheading->new_entry());
    Check($fpwtext, $fpwtext->add_entry_tag($entry->{'tag'}));

    Check($fpwtext, $fpwtext->add_keyword_start());
    AddMarkedText($fpwtext, $heading);
    Check($fpwtext, $fpwtext->add_keyword_end());
    Check($fpwtext, $fpwtext->add_newline());
    Check($fpwtext, $fpwtext->add_indent_level(2));
    for my $line (@{$entry->{'body'}}) {
        AddMarkedText($fpwtext, $line);
        Check($fpwtext, $fpwtext->add_newline());
    }
    AddMarkedText($fpwheading, $heading);

    my @words = ($entry->{'reading'}, @{$entry->{'keys'}});
    if (defined $entry->{'written'}) {
        (my $written = $entry->{'written'}) =~ s/^【(.*)】$/$1/;
        push @words, $written;
    }
    for my $key (@{$entry->{"keys"}}) {
        Check($fpwkeyword, $fpwkeyword->add_entry(Euc($key),
                                                  $fpwheading->entry_position(),
                                                  $fpwtext->entry_position()));
    }
    for my $word (@words) {
        Check($fpwword2, $fpwword2->add_entry(Euc($word),
                                              $fpwheading->entry_position(),
                                              $fpwtext->entry_position()));
    }
}

# Menu and copyright pages: each is a context of its own.
sub AddPage {
    my ($out, $entry) = @_;
    Check($out, $out->new_context());
    Check($out, $out->add_entry_tag($entry->{'tag'}));
    AddMarkedText($out, $entry->{'reading'});
    Check($out, $out->add_newline());
    for my $line (@{$entry->{'body'}}) {
        AddMarkedText($out, $line);
        Check($out, $out->add_newline());
    }
}

my $section = '';
my $entry;
my %writers = (
    'text'      => \&AddTextEntry,
    'menu'      => sub { AddPage($fpwmenu, $_[0]) },
    'copyright' => sub { AddPage($fpwcopyright, $_[0]) },
);

sub FinishEntry {
    $writers{$section}->($entry) if defined $entry;
    undef $entry;
}

while (my $line = <>) {
    $line = decode('UTF-8', $line, Encode::FB_CROAK);
    chomp $line;
    next if $line =~ /^#/;
    if ($line =~ /^\s*$/) {
        FinishEntry();
    } elsif ($line =~ /^%(\w+)$/) {
        FinishEntry();
        $section = $1;
        exists $writers{$section} || die "$0: $.: unknown section $line\n";
    } elsif (!defined $entry) {
        $line =~ /^\[([\w-]+)\]\s+(\S+?)\s*(【.*】)?$/
            || die "$0: $.: entry must begin with [tag] heading\n";
        $section ne '' || die "$0: $.: entry outside a section\n";
        $entry = {'tag' => $1, 'reading' => $2, 'written' => $3,
                  'keys' => [], 'body' => []};
    } elsif ($line =~ /^keys:\s*(.*)$/) {
        push @{$entry->{'keys'}}, split(' ', $1);
    } else {
        push @{$entry->{'body'}}, $line;
    }
}
FinishEntry();

finalize_fpwparser('text'      => \$fpwtext,
                   'heading'   => \$fpwheading,
                   'word2'     => \$fpwword2,
                     'keyword'   => \$fpwkeyword,
                   'menu'      => \$fpwmenu,
                   'copyright' => \$fpwcopyright);
